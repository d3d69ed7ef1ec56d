// Version file names, which versions go, when one is kept, and how one is named as a page.
#include "pages/page_versions.h"

#include "pages/page_name.h"

#include <algorithm>
#include <chrono>
#include <tuple>

namespace tavrik::pages {
namespace {

void AppendNumber(std::u16string& out, int value, int digits) {
    std::u16string text(static_cast<std::size_t>(digits), u'0');
    for (int i = digits - 1; i >= 0 && value > 0; --i, value /= 10) text[static_cast<std::size_t>(i)] += value % 10;
    out += text;
}

// Exactly `digits` decimal digits at `at`.
std::optional<int> NumberAt(std::u16string_view text, std::size_t at, std::size_t digits) {
    if (at + digits > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
        value = value * 10 + (text[i] - u'0');
    }
    return value;
}

std::u16string DateAndMinute(const VersionTime& t) {
    std::u16string out;
    AppendNumber(out, t.year, 4);
    out += u'-';
    AppendNumber(out, t.month, 2);
    out += u'-';
    AppendNumber(out, t.day, 2);
    out += u' ';
    AppendNumber(out, t.hour, 2);
    out += u'-';
    AppendNumber(out, t.minute, 2);
    return out;
}

constexpr std::u16string_view kElsewhereMark = u" elsewhere";

// The time without the `elsewhere` mark: two versions of one millisecond are one moment.
std::tuple<int, int, int, int, int, int, int> Stamp(const VersionTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
}

long DayNumber(const VersionTime& t) {
    using namespace std::chrono;
    const sys_days date = year_month_day{year(t.year), month(static_cast<unsigned>(t.month)),
                                         day(static_cast<unsigned>(t.day))};
    return static_cast<long>(date.time_since_epoch().count());
}

int MonthNumber(const VersionTime& t) { return t.year * 12 + t.month - 1; }

bool IsBlank(char16_t c) { return c <= u' ' || c == u'\u00A0' || c == u'\u2028' || c == u'\u2029'; }

}  // namespace

std::u16string VersionFileName(const VersionTime& time) {
    std::u16string name = DateAndMinute(time);
    name += u'-';
    AppendNumber(name, time.second, 2);
    name += u'.';
    AppendNumber(name, time.millisecond, 3);
    if (time.elsewhere) name += kElsewhereMark;
    name += u".tvk";
    return name;
}

std::optional<VersionTime> ParseVersionFileName(std::u16string_view name) {
    // YYYY-MM-DD HH-MM-SS.mmm[ elsewhere].tvk, the extension in any letter case as Windows matches it.
    constexpr std::u16string_view kShape = u"0000-00-00 00-00-00.000.tvk";
    constexpr std::size_t kStamp = 23;  // up to the extension
    const bool elsewhere = name.size() == kShape.size() + kElsewhereMark.size() &&
                           name.substr(kStamp, kElsewhereMark.size()) == kElsewhereMark;
    if (elsewhere) {
        std::u16string plain(name.substr(0, kStamp));
        plain += name.substr(kStamp + kElsewhereMark.size());
        auto time = ParseVersionFileName(plain);
        if (time) time->elsewhere = true;
        return time;
    }
    if (name.size() != kShape.size()) return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] == u'0') continue;
        const char16_t c = name[i] >= u'A' && name[i] <= u'Z' ? static_cast<char16_t>(name[i] + 32) : name[i];
        if (c != kShape[i]) return std::nullopt;
    }
    VersionTime t;
    const auto at = [&](std::size_t position, std::size_t digits, int& field) {
        const auto value = NumberAt(name, position, digits);
        if (value) field = *value;
        return value.has_value();
    };
    if (!at(0, 4, t.year) || !at(5, 2, t.month) || !at(8, 2, t.day) || !at(11, 2, t.hour) || !at(14, 2, t.minute) ||
        !at(17, 2, t.second) || !at(20, 3, t.millisecond))
        return std::nullopt;
    using namespace std::chrono;
    const year_month_day date{year(t.year), month(static_cast<unsigned>(t.month)), day(static_cast<unsigned>(t.day))};
    if (!date.ok() || t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
    return t;
}

VersionTime OneMillisecondLater(const VersionTime& time) {
    using namespace std::chrono;
    const sys_days date = year_month_day{year(time.year), month(static_cast<unsigned>(time.month)),
                                         day(static_cast<unsigned>(time.day))};
    const sys_time<milliseconds> later = date + hours(time.hour) + minutes(time.minute) + seconds(time.second) +
                                         milliseconds(time.millisecond + 1);
    const sys_days laterDate = std::chrono::floor<days>(later);
    const year_month_day ymd(laterDate);
    const hh_mm_ss<milliseconds> clock(later - laterDate);
    return VersionTime{static_cast<int>(ymd.year()),
                       static_cast<int>(static_cast<unsigned>(ymd.month())),
                       static_cast<int>(static_cast<unsigned>(ymd.day())),
                       static_cast<int>(clock.hours().count()),
                       static_cast<int>(clock.minutes().count()),
                       static_cast<int>(clock.seconds().count()),
                       static_cast<int>(clock.subseconds().count()),
                       time.elsewhere};
}

VersionTime NextVersionTime(const VersionTime& now, const std::vector<std::u16string>& names) {
    std::optional<VersionTime> newest;
    for (const std::u16string& name : names)
        if (const auto time = ParseVersionFileName(name); time && (!newest || Stamp(*time) > Stamp(*newest)))
            newest = time;
    if (!newest || Stamp(now) > Stamp(*newest)) return now;
    // The clock was set back, or a computer in a zone further east keeps versions in this folder
    // too: the name no longer tells the time exactly, but it still tells the order.
    VersionTime next = OneMillisecondLater(*newest);
    next.elsewhere = now.elsewhere;
    return next;
}

std::vector<std::u16string> VersionsToDrop(const std::vector<std::u16string>& names, int keep,
                                           std::u16string_view justKept) {
    std::vector<std::pair<VersionTime, std::u16string>> versions;
    for (const std::u16string& name : names)
        if (const auto time = ParseVersionFileName(name)) versions.emplace_back(*time, name);
    std::sort(versions.begin(), versions.end(),
              [](const auto& a, const auto& b) { return Stamp(a.first) > Stamp(b.first); });  // newest first
    const std::size_t kept = keep > 0 ? static_cast<std::size_t>(keep) : 0;
    std::vector<std::u16string> drop;
    if (versions.size() <= kept) return drop;
    // The newest of each day, week and month, so that a page damaged and then saved many times
    // over still has its older text. The days are counted from the newest version, not from the
    // clock, which may be wrong.
    const long newestDay = DayNumber(versions.front().first);
    const int newestMonth = MonthNumber(versions.front().first);
    bool days[7] = {}, weeks[4] = {}, months[12] = {};
    const auto firstIn = [](bool* buckets, long index, long count) {
        if (index < 0 || index >= count || buckets[index]) return false;
        buckets[index] = true;
        return true;
    };
    for (std::size_t i = 0; i < versions.size(); ++i) {
        const VersionTime& time = versions[i].first;
        const long daysBack = newestDay - DayNumber(time);
        bool keepIt = i < kept;
        keepIt = firstIn(days, daysBack, 7) || keepIt;
        keepIt = firstIn(weeks, daysBack >= 0 ? daysBack / 7 : -1, 4) || keepIt;
        keepIt = firstIn(months, newestMonth - MonthNumber(time), 12) || keepIt;
        if (!keepIt && versions[i].second != justKept) drop.push_back(std::move(versions[i].second));
    }
    return drop;
}

std::size_t VersionPathLength(std::size_t folderLength, std::size_t nameLength) {
    // "2026-12-09 14-03-27.123 elsewhere.tvk"; the temporary name a copy is made under before it
    // takes that name is shorter in practice ("~tvk", a process id, "_", a tick count, ".tmp").
    constexpr std::size_t kLongestVersionName = 37;
    return folderLength + kVersionsFolderName.size() + 1 + nameLength + 1 + kLongestVersionName;
}

bool ShrinksDrastically(std::uint64_t oldSize, std::uint64_t newSize) {
    return oldSize > 0 && (newSize == 0 || newSize * 10 < oldSize);
}

bool VersionDue(std::optional<std::uint64_t> lastKeptMs, std::uint64_t nowMs, std::uint64_t oldSize,
                std::uint64_t newSize) {
    if (oldSize == 0) return false;  // nothing worth keeping
    if (!lastKeptMs || ShrinksDrastically(oldSize, newSize)) return true;
    return nowMs >= *lastKeptMs && nowMs - *lastKeptMs >= kVersionIntervalMs;
}

std::u16string TextPreview(std::u16string_view text, std::size_t length) {
    std::u16string out;
    bool blank = true;  // blanks at the start go
    std::size_t i = 0;
    for (; i < text.size() && out.size() < length; ++i) {
        if (IsBlank(text[i])) {
            if (!blank) out += u' ';
            blank = true;
            continue;
        }
        blank = false;
        out += text[i];
    }
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (!out.empty() && out.back() == u' ') out.pop_back();
    if (i < text.size()) {
        // Never half of a surrogate pair.
        if (!out.empty() && out.back() >= u'\xD800' && out.back() <= u'\xDBFF') out.pop_back();
        out += u'…';
    }
    return out;
}

std::u16string VersionPageName(std::u16string_view pageName, const VersionTime& time,
                               const std::vector<std::u16string>& taken) {
    const std::u16string base = std::u16string(pageName) + u' ' + DateAndMinute(time);
    const auto isTaken = [&](const std::u16string& name) {
        return std::any_of(taken.begin(), taken.end(), [&](const std::u16string& t) { return SameFileName(t, name); });
    };
    std::u16string name = base;
    for (int n = 2; isTaken(name); ++n) {
        name = base + u" (";
        for (char c : std::to_string(n)) name += static_cast<char16_t>(c);
        name += u')';
    }
    return name;
}

}  // namespace tavrik::pages
