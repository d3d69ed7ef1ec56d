// (Win32) Page files read for searching, kept by their size and time.
#include "search/text_cache.h"

#include "pages/page_file_look.h"
#include "search/text_reader.h"

#include <new>

namespace tavrik::search {

std::u16string FoldCase(std::u16string text) {
    // Lower case, one unit for one, by the tables Windows uses for every script.
    if (!text.empty()) CharLowerBuffW(reinterpret_cast<wchar_t*>(text.data()), static_cast<DWORD>(text.size()));
    return text;
}

const SearchableText* PageTextCache::Get(const std::wstring& path, bool plainMode, DWORD& error) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const bool found = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    if (!found || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = found ? ERROR_ACCESS_DENIED : GetLastError();
        entries_.erase(path);
        return nullptr;
    }
    const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    Entry& entry = entries_[path];
    if (!entry.read || entry.plainMode != plainMode || entry.size != size ||
        CompareFileTime(&entry.written, &data.ftLastWriteTime) != 0) {
        const auto bytes = app::ReadWholeFile(path, error);
        if (!bytes) {
            entries_.erase(path);
            return nullptr;
        }
        try {
            entry.text.text = ReadPageText(*bytes, plainMode, static_cast<int>(GetACP()));
            entry.text.folded = FoldCase(entry.text.text);
        } catch (const std::bad_alloc&) {
            // The text and its folded copy are four times the file: no room for them is the same answer.
            entries_.erase(path);
            error = ERROR_FILE_TOO_LARGE;
            return nullptr;
        }
        entry.read = true;
        entry.plainMode = plainMode;
        entry.size = size;
        entry.written = data.ftLastWriteTime;
    }
    entry.used = true;
    return &entry.text;
}

void PageTextCache::DropUnused() {
    std::erase_if(entries_, [](const auto& item) { return !item.second.used; });
    for (auto& [path, entry] : entries_) entry.used = false;
}

}  // namespace tavrik::search
