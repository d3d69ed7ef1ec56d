#include "ui/tray_texts.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrik::ui;

TEST(TrayTexts, TipNamesTheHotKeyAndCatchingInBothLanguages) {
    struct Case {
        Language language;
        std::u16string_view hotKey;
        bool catching;
        std::u16string_view tip;
    };
    const Case cases[] = {
        {Language::English, u"Scroll Lock", false, u"Tavrik \u2014 Scroll Lock"},
        {Language::Russian, u"Scroll Lock", false, u"Таврик \u2014 Scroll Lock"},
        {Language::English, u"Ctrl+Shift+N", false, u"Tavrik \u2014 Ctrl+Shift+N"},
        {Language::English, u"", false, u"Tavrik"},  // no hot key could be registered
        {Language::English, u"Scroll Lock", true, u"Tavrik \u2014 Scroll Lock\nCatching the clipboard"},
        {Language::Russian, u"Scroll Lock", true, u"Таврик \u2014 Scroll Lock\nЗахват буфера обмена включён"},
        {Language::Russian, u"", true, u"Таврик\nЗахват буфера обмена включён"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrayTip(c.language, c.hotKey, u"", c.catching), c.tip) << static_cast<int>(c.language) << c.catching;
}

TEST(TrayTexts, LongNoticeGivesWayToTheCatchingLineAndIsCutBetweenCharacters) {
    const std::u16string tip = TrayTip(Language::English, u"Scroll Lock", u" - " + std::u16string(200, u'x'), true);
    // 127 characters: 23 before the notice, 80 of it, the ellipsis, 23 of the catching line.
    EXPECT_EQ(tip, u"Tavrik \u2014 Scroll Lock - " + std::u16string(80, u'x') +
                       u"\u2026\nCatching the clipboard");
    // Page names of emoji, each a surrogate pair: the cut must not leave half of one.
    std::u16string notice = u" - ";
    for (int i = 0; i < 80; ++i) notice += u"\U0001F4DD";
    const std::u16string emoji = TrayTip(Language::English, u"Scroll Lock", notice, false);
    EXPECT_EQ(emoji.size(), kTrayTipChars - 1);
    EXPECT_EQ(emoji.substr(emoji.size() - 3), u"\U0001F4DD\u2026");
}

TEST(TrayTexts, FirstStartNoticeSaysHowToOpenTheWindow) {
    struct Case {
        Language language;
        std::u16string_view hotKey, title, text;
    };
    const Case cases[] = {
        {Language::English, u"Scroll Lock", u"Tavrik is running", u"Press Scroll Lock or click this icon to open it."},
        {Language::Russian, u"Scroll Lock", u"Таврик работает",
         u"Нажмите Scroll Lock или щёлкните по этому значку, чтобы открыть его."},
        {Language::English, u"Ctrl+Alt+F12", u"Tavrik is running",
         u"Press Ctrl+Alt+F12 or click this icon to open it."},
        {Language::English, u"", u"Tavrik is running", u"Click this icon to open it."},
        {Language::Russian, u"", u"Таврик работает", u"Щёлкните по этому значку, чтобы открыть его."},
    };
    for (const Case& c : cases) {
        const TrayNotice notice = FirstStartNotice(c.language, c.hotKey);
        EXPECT_EQ(notice.title, c.title);
        EXPECT_EQ(notice.text, c.text);
        EXPECT_LE(notice.title.size(), kTrayNoticeTitleChars);
        EXPECT_LE(notice.text.size(), kTrayNoticeTextChars);
    }
    // A key name from a keyboard layout has no bound of its own.
    EXPECT_EQ(FirstStartNotice(Language::English, std::u16string(400, u'k')).text.size(), kTrayNoticeTextChars);
}
