#include "ui/language_tables.h"

#include "ui/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <vector>

using namespace tavrik::ui;

namespace {

constexpr Language kBoth[] = {Language::English, Language::Russian};

std::string Narrow(std::u16string_view name) { return std::string(name.begin(), name.end()); }
bool IsLatin(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsCyrillic(char16_t c) { return c >= 0x0400 && c <= 0x04FF; }

// The letter after "&", folded to small, or 0 when there is none.
char16_t AccessKey(std::u16string_view caption) {
    const auto at = caption.find(u'&');
    if (at == caption.npos || at + 1 == caption.size()) return 0;
    const char16_t c = caption[at + 1];
    const bool capital = (c >= u'A' && c <= u'Z') || (c >= 0x0410 && c <= 0x042F);
    return capital ? static_cast<char16_t>(c + 0x20) : c;
}

// Every item the menus build with a caption of its own: submenus and commands, all but Exit.
std::vector<std::u16string_view> CaptionedMenuItems() {
    std::vector<std::u16string_view> names;
    for (auto menu : {MainMenuItems(), EditorMenuItems(), TabMenuItems()}) {
        for (const MenuItem& item : menu) {
            const bool captioned = item.kind == ItemKind::Command || item.kind == ItemKind::SubmenuBegin;
            if (captioned && item.name != u"ExitMenu") names.push_back(item.name);
        }
    }
    return names;
}

// The items of each drop-down of the menu bar, nested ones apart; the bar itself is left out.
std::vector<std::vector<std::u16string_view>> DropDowns() {
    std::vector<std::vector<std::u16string_view>> done, open;
    for (const MenuItem& item : MainMenuItems()) {
        if (item.kind == ItemKind::Separator) continue;
        if (item.kind == ItemKind::SubmenuEnd) {
            done.push_back(open.back());
            open.pop_back();
            continue;
        }
        if (!open.empty()) open.back().push_back(item.name);
        if (item.kind == ItemKind::SubmenuBegin) open.emplace_back();
    }
    return done;
}

}  // namespace

TEST(LanguageTables, OnlyOneIsRussian) {
    EXPECT_EQ(LanguageFromSetting(1), Language::Russian);
    for (std::int32_t stored : {0, -1, 2, 5, INT_MIN, INT_MAX}) {
        EXPECT_EQ(LanguageFromSetting(stored), Language::English) << stored;
    }
    EXPECT_EQ(FindCaption(u"FileSubMenu", LanguageFromSetting(5)), u"&File");
}

TEST(LanguageTables, EveryMenuItemAndActionIsFoundAndNothingElse) {
    const auto items = CaptionedMenuItems();
    for (Language language : kBoth) {
        for (auto item : items) EXPECT_TRUE(FindCaption(item, language)) << Narrow(item);
        for (const Action& action : Actions()) EXPECT_TRUE(FindHint(action.name, language));
    }
    // A misspelt component would be applied to no item at all.
    const std::set<std::u16string_view> used(items.begin(), items.end());
    for (const ComponentText& row : MainWindowCaptions().subspan(2)) {
        EXPECT_TRUE(used.contains(row.component)) << Narrow(row.component);
    }
    EXPECT_EQ(ActionHints().size(), Actions().size());
    EXPECT_FALSE(FindOptionsText(u"OKButton", Language::Russian));
    EXPECT_EQ(FindCaption(u"EnglishLangMenuItem", Language::Russian), u"&English");
}

TEST(LanguageTables, TitleCaptionAndShowHideUseTheProductName) {
    for (Language language : kBoth) {
        const auto name = ProductName(language);
        EXPECT_EQ(FindCaption(kApplicationComponent, language), name);
        EXPECT_EQ(FindCaption(kMainFormComponent, language), name);
        EXPECT_NE(FindCaption(u"ShowMenu", language).value_or(u"").find(name), std::u16string_view::npos);
        EXPECT_NE(FindCaption(u"HideMenu", language).value_or(u"").find(name), std::u16string_view::npos);
    }
}

TEST(LanguageTables, NoComponentAppearsTwice) {
    std::set<std::u16string_view> seen;
    for (const ComponentText& row : MainWindowCaptions()) EXPECT_TRUE(seen.insert(row.component).second);
    for (const ComponentText& row : ActionHints()) EXPECT_TRUE(seen.insert(row.component).second);
    // The style list's rows belong together: the dialog empties the list once, before the first.
    std::u16string_view previous;
    for (const OptionsText& row : OptionsDialogTexts()) {
        if (row.component != previous) {
            EXPECT_TRUE(seen.insert(row.component).second) << Narrow(row.component);
        }
        previous = row.component;
    }
    for (Language language : kBoth) EXPECT_EQ(OptionsListEntries(u"StyleComboBox", language).size(), 3u);
}

TEST(LanguageTables, TextsAreWholeAndInTheirOwnScript) {
    std::vector<OptionsText> all(OptionsDialogTexts().begin(), OptionsDialogTexts().end());
    for (const ComponentText& row : MainWindowCaptions()) {
        all.push_back({row.component, OptionsTextKind::Caption, row.text});
    }
    for (const ComponentText& row : ActionHints()) {
        all.push_back({row.component, OptionsTextKind::Hint, row.text});
    }
    for (const OptionsText& row : all) {
        for (auto text : {row.text.english, row.text.russian}) {
            EXPECT_FALSE(text.empty()) << Narrow(row.component);
            if (row.what == OptionsTextKind::Caption && AccessKey(text) != 0) {  // one key, on a letter
                EXPECT_EQ(text.find(u'&'), text.rfind(u'&')) << Narrow(row.component);
                EXPECT_TRUE(IsLatin(AccessKey(text)) || IsCyrillic(AccessKey(text))) << Narrow(row.component);
            }
        }
        for (char16_t c : row.text.english) EXPECT_FALSE(IsCyrillic(c)) << Narrow(row.component);
        // A Latin look-alike inside a Russian word shows fine and spoils every search for it.
        bool latin = false, cyrillic = false;
        for (char16_t c : row.text.russian) {
            if (IsLatin(c)) {
                latin = true;
            } else if (IsCyrillic(c)) {
                cyrillic = true;
            } else {
                latin = cyrillic = false;
            }
            EXPECT_FALSE(latin && cyrillic) << Narrow(row.component);
        }
    }
}

// The English bar lets File and Format share F, as it always has, so only the drop-downs are held to this.
TEST(LanguageTables, AccessKeysDifferWithinEachDropDown) {
    for (Language language : kBoth) {
        for (const auto& menu : DropDowns()) {
            std::set<char16_t> keys;
            for (auto item : menu) {
                const char16_t key = AccessKey(FindCaption(item, language).value_or(u""));
                EXPECT_TRUE(key != 0 && keys.insert(key).second) << Narrow(item);
            }
        }
    }
}

// "Cut (Ctrl+X)": the shortcut named is the one the menus show beside the same command.
TEST(LanguageTables, HintsNameTheShortcutOfTheirCommand) {
    for (const Action& action : Actions()) {
        std::set<std::u16string> shown;
        for (auto menu : {MainMenuItems(), EditorMenuItems()}) {
            for (const MenuItem& item : menu) {
                if (item.cmd == action.cmd && item.shortcut != 0) shown.insert(ShortcutText(item.shortcut));
            }
        }
        for (Language language : kBoth) {
            const auto hint = FindHint(action.name, language).value_or(u"");
            const auto open = hint.find(u'(');
            if (open == hint.npos) continue;
            ASSERT_TRUE(hint.ends_with(u")")) << Narrow(action.name);
            EXPECT_TRUE(shown.contains(std::u16string(hint.substr(open + 1, hint.size() - open - 2))));
        }
    }
}

TEST(LanguageTables, HotKeyMessageIsEnglishThenRussianOnTheNextLine) {
    const auto text = HotKeyInUseMessage().text;
    const auto cr = text.find(u'\r');
    ASSERT_TRUE(cr != text.npos && cr + 1 < text.size());
    EXPECT_TRUE(std::none_of(text.begin(), text.begin() + cr, IsCyrillic) && IsCyrillic(text[cr + 1]));
}

TEST(HotKeyMessages, SpeakTheInterfaceLanguageAndNothingElse) {
    EXPECT_EQ(HotKeyChangeMessage(HotKeyNotice::IsSet, 0)->text, u"HotKey is set.");
    EXPECT_EQ(HotKeyChangeMessage(HotKeyNotice::InUse, 1)->caption, u"Ошибка комбинации горячей клавиши");
    for (int language : {-1, 2, 7}) {
        for (HotKeyNotice notice : {HotKeyNotice::CannotRelease, HotKeyNotice::InUse, HotKeyNotice::IsSet})
            EXPECT_FALSE(HotKeyChangeMessage(notice, language)) << language;
    }
}
