#include "settings/legacy_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace tavrik::settings {
namespace {

LegacyLookup From(std::map<std::u16string, std::u16string> values) {
    return [values = std::move(values)](std::u16string_view name) -> std::optional<std::u16string> {
        const auto found = values.find(std::u16string(name));
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

std::u16string ValueOf(const KeyValues& written, std::u16string_view key) {
    for (const auto& [name, value] : written)
        if (name == key) return value;
    return u"(missing)";
}

TEST(LegacyParameters, OnlyAHotKeyGivesEveryKeyWithItsDefault) {
    const KeyValues written = LegacyParameters(From({{u"HotKey", u"120"}}), 8, u"C:\\Tavrik");
    ASSERT_EQ(written.size(), 28u);
    EXPECT_EQ(written.front().first, u"MainLeft");
    EXPECT_EQ(written.back(), (std::pair<std::u16string, std::u16string>{u"HotKey", u"120"}));
    EXPECT_EQ(ValueOf(written, u"MainWidth"), u"418");
    EXPECT_EQ(ValueOf(written, u"DefaultFontName"), u"MS Sans Serif");
    EXPECT_EQ(ValueOf(written, u"DefaultRichEditColor"), u"16777215");
    EXPECT_EQ(ValueOf(written, u"OnTop"), u"1");
    EXPECT_EQ(ValueOf(written, u"NoTransparency"), u"0");  // 8 counts like 6 and 7
    EXPECT_EQ(ValueOf(written, u"Language"), u"1");
    EXPECT_EQ(ValueOf(written, u"SaveTo"), u"C:\\Tavrik\\");
    EXPECT_EQ(ValueOf(written, u"LastSave"), u"C:\\Tavrik\\");
    EXPECT_EQ(ValueOf(written, u"DefaultFontStyle"), u"(missing)");
    EXPECT_EQ(ValueOf(written, u"CatchClipboard"), u"(missing)");
}

TEST(LegacyParameters, NumbersAndBooleansAsOldVersionsReadThem) {
    const KeyValues written = LegacyParameters(
        From({{u"FadeSpeed", u"fast"}, {u"Plain", u"5"}, {u"OnTop", u"0"}, {u"SaveTo", u"D:\\Заметки\\"}}), 3, u"C:\\T\\");
    EXPECT_EQ(ValueOf(written, u"FadeSpeed"), u"5") << "no number: the default";
    EXPECT_EQ(ValueOf(written, u"Plain"), u"1");
    EXPECT_EQ(ValueOf(written, u"OnTop"), u"0");
    EXPECT_EQ(ValueOf(written, u"NoTransparency"), u"1") << "no translucency on Windows 98";
    EXPECT_EQ(ValueOf(written, u"SaveTo"), u"D:\\Заметки\\");
}

TEST(LegacyPageEntry, BackgroundFromTheOldValueAndTheRestFromTheDefaults) {
    pages::PageDefaults defaults;
    EXPECT_EQ(LegacyPageEntry(u"Notes", u"255", defaults), u"255*MS Sans Serif*0*10*0*0*1*");
    defaults.fontName = u"Arial";
    defaults.fontSize = 12;
    EXPECT_EQ(LegacyPageEntry(u"Заметки", std::nullopt, defaults), u"16777215*Arial*0*12*0*0*1*");
    EXPECT_EQ(LegacyPageEntry(u"Notes", u"red", defaults), u"16777215*Arial*0*12*0*0*1*");
    for (std::u16string_view refused : {u"CON", u"a\\b", u".."}) EXPECT_FALSE(LegacyPageEntry(refused, u"1", defaults));
}

TEST(LegacyPageName, NamesTheListHoldsStayOthersAreMadeSafe) {
    const auto taken = [](std::u16string_view name) { return name == u"Work"; };
    struct Case {
        std::u16string_view name, expected;
    };
    const Case cases[] = {
        {u"Notes", u"Notes"}, {u"x;y", u"x;y"}, {u"a.b", u"a.b"},  // held as they are, as before
        {u"[Work", u"Work 2"}, {u";Ideas", u"Ideas"}, {u"k=v", u"k_v"}, {u" Планы ", u"Планы"},
        {u"..", u"__"},       {u"CON", u"CON_"},
    };
    for (const Case& c : cases) EXPECT_EQ(LegacyPageName(c.name, taken), c.expected) << c.name.size();
}

}  // namespace
}  // namespace tavrik::settings
