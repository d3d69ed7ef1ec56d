// Page versions: the earlier files of a page kept in <save folder>\~versions\<page name>\, one file
// a version named after its local date and time, in the order they were kept.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::pages {

// The folder beside the page files that holds a subfolder of versions for each page.
inline constexpr std::u16string_view kVersionsFolderName = u"~versions";

// A local date and time to the millisecond. `elsewhere`: the text another program or computer
// wrote into the page file while this page changed too, kept before ours replaced it.
struct VersionTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    bool elsewhere = false;
    friend auto operator<=>(const VersionTime&, const VersionTime&) = default;
};

// "2026-12-09 14-03-27.123.tvk", or "2026-12-09 14-03-27.123 elsewhere.tvk": names sort as their
// times do.
std::u16string VersionFileName(const VersionTime& time);
// The time a version's file name holds; nullopt for any other name, which is never touched.
std::optional<VersionTime> ParseVersionFileName(std::u16string_view name);
// The next millisecond, over seconds, days, months and years.
VersionTime OneMillisecondLater(const VersionTime& time);

// The time a new version is named after: `now`, unless a version among `names` is as late or
// later; then the millisecond after the newest of them, so a new version always sorts last.
VersionTime NextVersionTime(const VersionTime& now, const std::vector<std::u16string>& names);

// Of the file names in a page's versions folder, the versions to delete. Kept: the newest `keep`,
// and the newest of each of the last 7 days, of each of the last 4 weeks (7 days each) and of each
// of the last 12 calendar months, counted back from the newest version; and `justKept` always.
// Names that are not versions are never among them.
std::vector<std::u16string> VersionsToDrop(const std::vector<std::u16string>& names, int keep,
                                           std::u16string_view justKept = {});

// The length of the longest path a version of a page takes beside the page files: `folderLength`
// with its backslash, then "~versions\<page name>\" and the longest version file name.
std::size_t VersionPathLength(std::size_t folderLength, std::size_t nameLength);

// A save that leaves less than a tenth of the old size, or nothing, may be a slip that empties
// the page: it always keeps a version.
bool ShrinksDrastically(std::uint64_t oldSize, std::uint64_t newSize);

inline constexpr std::uint64_t kVersionIntervalMs = std::uint64_t{60} * 60 * 1000;

// Whether the file about to be replaced is kept: at the page's first replace in the run
// (`lastKeptMs` empty), then at most once an interval, and always before a drastic shrink. Times
// are milliseconds of one steady clock.
bool VersionDue(std::optional<std::uint64_t> lastKeptMs, std::uint64_t nowMs, std::uint64_t oldSize,
                std::uint64_t newSize);

// The start of a version's text for a list: blanks and line breaks run together into one space,
// cut to `length` characters with "…" when there is more.
std::u16string TextPreview(std::u16string_view text, std::size_t length = 60);

// "Notes 2026-12-09 14-03", or with " (2)", " (3)" … when a name Windows takes for the same file
// is in `taken`.
std::u16string VersionPageName(std::u16string_view pageName, const VersionTime& time,
                               const std::vector<std::u16string>& taken);

}  // namespace tavrik::pages
