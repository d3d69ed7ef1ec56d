// The tray icon's texts in both interface languages, cut to what the shell holds.
#include "ui/tray_texts.h"

namespace tavrik::ui {
namespace {

constexpr Bilingual kRunning = {u"Tavrik is running", u"Таврик работает"};
constexpr Bilingual kPressOrClick = {u"Press %s or click this icon to open it.",
                                     u"Нажмите %s или щёлкните по этому значку, чтобы открыть его."};
constexpr Bilingual kClickOnly = {u"Click this icon to open it.", u"Щёлкните по этому значку, чтобы открыть его."};
constexpr Bilingual kCatching = {u"Catching the clipboard", u"Захват буфера обмена включён"};

constexpr std::u16string_view kDash = u" \u2014 ";
constexpr char16_t kEllipsis = u'\u2026';

// At most `limit` characters, never ending between the halves of a surrogate pair.
std::u16string_view Cut(std::u16string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t length = limit;
    if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
    return text.substr(0, length);
}

}  // namespace

std::u16string TrayTip(Language language, std::u16string_view hotKey, std::u16string_view notice, bool catching) {
    std::u16string head(ProductName(language));
    if (!hotKey.empty()) head.append(kDash).append(hotKey);
    std::u16string tail;
    if (catching) tail.append(u"\n").append(kCatching.In(language));
    head = Cut(head, kTrayTipChars - tail.size());
    // The notice (pages not saved, say) gives way first: the catching line must always show.
    const std::size_t room = kTrayTipChars - head.size() - tail.size();
    if (notice.size() > room) {
        head.append(Cut(notice, room > 0 ? room - 1 : 0));
        if (room > 0) head += kEllipsis;
    } else {
        head.append(notice);
    }
    return head + tail;
}

TrayNotice FirstStartNotice(Language language, std::u16string_view hotKey) {
    TrayNotice notice{std::u16string(Cut(kRunning.In(language), kTrayNoticeTitleChars)), {}};
    if (hotKey.empty()) {
        notice.text = kClickOnly.In(language);
    } else {
        const std::u16string_view pattern = kPressOrClick.In(language);
        const std::size_t at = pattern.find(u"%s");
        notice.text.append(pattern.substr(0, at)).append(hotKey).append(pattern.substr(at + 2));
    }
    notice.text = std::u16string(Cut(notice.text, kTrayNoticeTextChars));
    return notice;
}

}  // namespace tavrik::ui
