// (Win32) The text of page files that have no editor, read once and kept while the file is unchanged.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tavrik::search {

struct SearchableText {
    std::u16string text;
    std::u16string folded;  // `text` with its case folded unit for unit, as Windows folds it
};

// `text` folded in place by Windows' own case rules, every script included; the length is kept.
std::u16string FoldCase(std::u16string text);

class PageTextCache {
public:
    // The file's text as its editor would show it, read again only when its size or time changed;
    // nullptr with the system's error when it cannot be read or is not there.
    const SearchableText* Get(const std::wstring& path, bool plainMode, DWORD& error);
    // Forgets the files not asked for since the last call: pages deleted, renamed or loaded.
    void DropUnused();
    size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        std::uint64_t size = 0;
        FILETIME written{};
        SearchableText text;
        bool read = false;
        bool plainMode = false;
        bool used = false;
    };
    std::unordered_map<std::wstring, Entry> entries_;
};

}  // namespace tavrik::search
