// The page store: the pages in tab order, the current and previous page, what each page last knew
// of its file, and the rules that decide when a page file is read, written or left alone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pages/page_entry.h"

namespace tavrik::pages {

// What the file system says of a page file without opening it. A file renamed over the page (as
// sync clients and most editors save) brings its own creation time, and almost always its own
// write time; the bytes decide whenever any of it differs.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // 100 ns ticks, as the file system keeps them
    std::uint64_t creationTime = 0;
    bool operator==(const FileStamp&) const = default;
};

// A page file as the store last read or wrote it.
struct KnownFile {
    FileStamp stamp;
    std::uint64_t hash = 0;  // of the bytes
};

// FNV-1a over eight bytes at a time: enough to tell another program's bytes from ours, at the
// speed of reading them; nothing here defends against malice. Bytes added in parts hash as the
// parts joined, however they are cut.
class ContentHasher {
public:
    void Add(std::string_view bytes);
    std::uint64_t Value() const;

private:
    std::uint64_t hash_ = 14695981039346656037ull;
    char pending_[8] = {};
    std::size_t pendingSize_ = 0;
};
std::uint64_t ContentHash(std::string_view bytes);

// How a page file stands against what the store knew of it.
enum class FileNow {
    AsKnown,      // the same bytes (a sync client may have touched its time)
    Changed,      // other bytes: another program or computer wrote it
    Gone,         // missing from a folder that is there
    FolderGone,   // the page folder itself is missing: the page's text may be nowhere but here
    Unreachable,  // a share or drive that does not answer, a file locked or not ours to read
};

// Whether the bytes need reading at all: equal stamps mean the file is as known, and the check
// before a write costs one query of its attributes.
bool StampTellsAll(const std::optional<KnownFile>& known, const FileStamp& now);

// What to do about a page before (or instead of) writing its file.
enum class SaveStep {
    Nothing,      // its file holds it, or it cannot be reached and the page did not change
    Write,        // replace the file with the page
    Reload,       // unchanged here, changed there: show the file's text, keep ours as a version
    KeepBoth,     // changed on both sides: keep the file's text as a version, then write ours
};

// `changedHere`: the page's text or format changed since it was read or written. `hadFile`: the
// store read or wrote a file for it; a file that vanished after that was deleted elsewhere, and an
// unchanged page is not written back while the program runs. `ending`: the program is about to
// end, and with it the only copy of such a page's text: it is written after all.
SaveStep DecideSave(bool changedHere, bool hadFile, FileNow there, bool ending = false);

// What a page knows beyond its name and editor.
struct PageState {
    PageEntry entry;          // what the page list says; fonts and colour are kept from here
    bool loaded = false;      // the file, if any, is in the editor
    // Its file could not be reached or read: the editor shows why, takes nothing, and the file is
    // never written; the next time the page is needed the file is tried again.
    bool unreadable = false;
    // The last write of its file failed: the caption and the tray tip say so until one succeeds.
    bool saveFailed = false;
    // Its file is rich text while the pages are plain: written at the next save, changed or not,
    // so the change to plain text reaches it.
    bool reformatted = false;
    // Both this copy and someone else changed it: the other text is among its versions. Said in
    // the caption until the user opens the page's versions.
    bool bothChanged = false;
    std::optional<KnownFile> file;            // none: no file read or written yet
    std::optional<std::uint64_t> versionKeptAt;  // steady-clock ms of the last version kept
    // The system's error when the last version due could be kept nowhere, 0 when it was kept: said
    // once, then in the caption until one is kept.
    std::uint32_t versionError = 0;
    // The last save was refused because it would have left little of the page and no version of
    // it could be kept; said in words of its own rather than as a file that cannot be written.
    bool saveRefused = false;
};

template <class View>
struct BookPage : PageState {
    std::wstring name;  // also the tab's caption and the key of its entry
    View editor{};      // made when the page is first needed
};

using ListEntries = std::vector<std::pair<std::wstring, std::wstring>>;
using NameEquals = std::function<bool(std::wstring_view, std::wstring_view)>;

// What section Pages becomes when this copy writes it: `ours` in our order, and each entry the
// file holds now that this copy never knew of (another copy added it since we read the list)
// kept after the entry it followed there (after ours when it came first). A known name missing from `ours` was deleted or renamed
// here, and stays out.
ListEntries MergePageList(const ListEntries& onDisk, const ListEntries& ours, const std::vector<std::wstring>& known,
                          const NameEquals& same);

// The pages in tab order with the current and the previous one, and every name this copy has
// listed in this run, so a write of the list keeps what another copy added.
template <class View>
class PageBook {
public:
    using Page = BookPage<View>;

    int Count() const { return static_cast<int>(pages_.size()); }
    Page& operator[](int index) { return pages_[static_cast<std::size_t>(index)]; }
    const Page& operator[](int index) const { return pages_[static_cast<std::size_t>(index)]; }
    auto begin() { return pages_.begin(); }
    auto end() { return pages_.end(); }
    auto begin() const { return pages_.begin(); }
    auto end() const { return pages_.end(); }

    int Current() const { return current_; }
    void SetCurrent(int index) { current_ = index; }
    int Previous() const { return previous_; }
    void SetPrevious(int index) { previous_ = index; }

    // The list as read at start-up: every name in it is known.
    void Reset(std::vector<Page> pages) {
        pages_ = std::move(pages);
        known_.clear();
        for (const Page& page : pages_) known_.push_back(page.name);
        current_ = pages_.empty() ? -1 : 0;
        previous_ = 0;
    }
    // Names the list held that no page took (unsafe, or twins of another): a write leaves them out.
    void AlsoKnown(const std::vector<std::wstring>& names) { known_.insert(known_.end(), names.begin(), names.end()); }
    void Add(Page page) { Insert(Count(), std::move(page)); }
    void Insert(int at, Page page) {
        known_.push_back(page.name);
        pages_.insert(pages_.begin() + at, std::move(page));
    }
    void Remove(int index) { pages_.erase(pages_.begin() + index); }
    void Rename(int index, const std::wstring& name) {
        known_.push_back(name);
        pages_[static_cast<std::size_t>(index)].name = name;
    }
    // The page at `from` goes to `to`; those between close up.
    void Move(int from, int to) {
        const auto first = pages_.begin();
        if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
        else if (from > to) std::rotate(first + to, first + from, first + from + 1);
    }

    const std::vector<std::wstring>& Known() const { return known_; }

    // A write of the list failed: the next save tries it again.
    bool ListOwed() const { return listOwed_; }
    void SetListOwed(bool owed) { listOwed_ = owed; }

private:
    std::vector<Page> pages_;
    std::vector<std::wstring> known_;
    int current_ = -1;
    int previous_ = 0;
    bool listOwed_ = false;
};

}  // namespace tavrik::pages
