// The page store's rules: when a page file is written, and how the page list is merged.
#include "pages/page_book.h"

namespace tavrik::pages {

namespace {

constexpr std::uint64_t kPrime = 1099511628211ull;

std::uint64_t Word(const char* bytes) {  // little-endian whatever the machine
    std::uint64_t word = 0;
    for (int i = 7; i >= 0; --i) word = (word << 8) | static_cast<unsigned char>(bytes[i]);
    return word;
}

}  // namespace

void ContentHasher::Add(std::string_view bytes) {
    while (!bytes.empty() && (pendingSize_ > 0 || bytes.size() < 8)) {
        pending_[pendingSize_++] = bytes.front();
        bytes.remove_prefix(1);
        if (pendingSize_ == 8) {
            hash_ = (hash_ ^ Word(pending_)) * kPrime;
            pendingSize_ = 0;
        }
    }
    for (; bytes.size() >= 8; bytes.remove_prefix(8)) hash_ = (hash_ ^ Word(bytes.data())) * kPrime;
    for (const char c : bytes) pending_[pendingSize_++] = c;
}

std::uint64_t ContentHasher::Value() const {
    std::uint64_t hash = hash_;
    for (std::size_t i = 0; i < pendingSize_; ++i) hash = (hash ^ static_cast<unsigned char>(pending_[i])) * kPrime;
    // The length too: a tail of zero bytes would otherwise be lost in a word.
    return (hash ^ (pendingSize_ + 1)) * kPrime;
}

std::uint64_t ContentHash(std::string_view bytes) {
    ContentHasher hasher;
    hasher.Add(bytes);
    return hasher.Value();
}

bool StampTellsAll(const std::optional<KnownFile>& known, const FileStamp& now) {
    return known && known->stamp == now;
}

SaveStep DecideSave(bool changedHere, bool hadFile, FileNow there, bool ending) {
    switch (there) {
    case FileNow::AsKnown: return changedHere ? SaveStep::Write : SaveStep::Nothing;
    case FileNow::Changed: return changedHere ? SaveStep::KeepBoth : SaveStep::Reload;
    // Deleted elsewhere: what was deleted on purpose is not brought back unasked; a page that
    // never had a file (new, or missing when read) gets one.
    case FileNow::Gone: return changedHere || !hadFile || ending ? SaveStep::Write : SaveStep::Nothing;
    // Deleted with its folder, or on a stick pulled out: the write fails and says so, and the
    // program stays up until the folder is back or the user lets the text go.
    case FileNow::FolderGone: return SaveStep::Write;
    // The write fails and says why; an unchanged page that has its file has nothing to say.
    case FileNow::Unreachable: return changedHere || !hadFile ? SaveStep::Write : SaveStep::Nothing;
    }
    return SaveStep::Nothing;
}

ListEntries MergePageList(const ListEntries& onDisk, const ListEntries& ours, const std::vector<std::wstring>& known,
                          const NameEquals& same) {
    const auto in = [&](const auto& names, std::wstring_view name) {
        return std::any_of(names.begin(), names.end(), [&](const auto& item) {
            if constexpr (std::is_same_v<std::decay_t<decltype(item)>, std::wstring>) return same(item, name);
            else return same(item.first, name);
        });
    };
    ListEntries merged = ours;
    std::optional<std::wstring> previous;  // the last entry on disk that the merged list also holds
    for (const auto& entry : onDisk) {
        if (in(merged, entry.first)) {
            previous = entry.first;
            continue;
        }
        if (in(known, entry.first)) continue;  // deleted or renamed here
        // After the entry it followed there; first there, it goes after ours.
        auto at = merged.end();
        if (previous) {
            at = std::find_if(merged.begin(), merged.end(), [&](const auto& item) { return same(item.first, *previous); });
            if (at != merged.end()) ++at;
        }
        previous = entry.first;
        merged.insert(at, entry);
    }
    return merged;
}

}  // namespace tavrik::pages
