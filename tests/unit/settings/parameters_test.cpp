#include "settings/parameters.h"

#include <gtest/gtest.h>

#include <map>

using namespace tavrik::settings;

namespace {
using Values = std::map<std::u16string, std::u16string>;
class MapSource final : public ParameterSource {
public:
    explicit MapSource(Values values = {}) : values_(std::move(values)) {}
    std::optional<std::u16string> Read(std::u16string_view key) const override {
        auto it = values_.find(std::u16string(key));
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }

private:
    std::map<std::u16string, std::u16string> values_;
};
constexpr std::u16string_view kFolder = u"C:\\Tavrik\\";
}  // namespace

TEST(Parameters, EmptyFileGivesEveryDefault) {
    const Parameters p = ReadParameters(MapSource(), 7, kFolder);
    EXPECT_EQ(p.DefaultFontName, u"MS Sans Serif");
    EXPECT_EQ(p.DefaultFontSize, 10);
    EXPECT_EQ(p.DefaultRichEditColor, 16777215);
    EXPECT_EQ(p.MainHeight, 143);
    EXPECT_EQ(p.MainWidth, 418);
    EXPECT_EQ(p.Style, 2);
    EXPECT_TRUE(p.OnTop);
    EXPECT_TRUE(p.ShowCool);
    EXPECT_TRUE(p.ShowTrayIcon);
    EXPECT_EQ(p.MaxTransparency, 255);
    EXPECT_EQ(p.FadeSpeed, 5);
    EXPECT_EQ(p.Language, 1);
    EXPECT_EQ(p.HotKey, 145);
    EXPECT_EQ(p.AutoSave, 5);
    EXPECT_EQ(p.SaveTo, kFolder);
    EXPECT_EQ(p.LastSave, kFolder);
    EXPECT_FALSE(p.AutoStart || p.Plain || p.CatchClipboard || p.AutoDecode || p.AutoTab || p.CloseAsMinimize);
}

TEST(Parameters, TranslucencyIsOnByDefaultFromWindows2000) {
    for (int code : {1, 2, 3, 4, 5}) EXPECT_TRUE(ReadParameters(MapSource(), code, kFolder).NoTransparency) << code;
    for (int code : {6, 7, 8}) EXPECT_FALSE(ReadParameters(MapSource(), code, kFolder).NoTransparency) << code;
    EXPECT_TRUE(ReadParameters(MapSource(Values{{u"NoTransparency", u"1"}}), 8, kFolder).NoTransparency);
}

TEST(Parameters, HandEditedValues) {
    const Parameters p = ReadParameters(MapSource(Values{{u"HotKey", u"0x91"},
                                                    {u"OnTop", u"never"},
                                                    {u"ShowCool", u"2"},
                                                    {u"MainLeft", u"-5000"},
                                                    {u"MainWidth", u"wide"},
                                                    {u"Style", u"3"},
                                                    {u"Language", u"7"},
                                                    {u"SaveTo", u"D:\\Notes"},
                                                    {u"LastSave", u""},
                                                    {u"DefaultFontName", u"Tahoma"}}),
                                         7, kFolder);
    EXPECT_EQ(p.HotKey, 145);
    EXPECT_TRUE(p.OnTop);      // a word is no number: the default
    EXPECT_TRUE(p.ShowCool);   // any number but 0 is true
    EXPECT_EQ(p.MainLeft, -5000);  // taken as read, off the screen or not
    EXPECT_EQ(p.MainWidth, 418);
    EXPECT_EQ(p.Style, 3);     // kept; the skin decides what to make of it
    EXPECT_EQ(p.Language, 7);
    EXPECT_EQ(p.SaveTo, u"D:\\Notes\\");
    EXPECT_EQ(p.LastSave, kFolder);  // an empty folder would be the root of the current drive
    EXPECT_EQ(p.DefaultFontName, u"Tahoma");
}

TEST(Parameters, AutoSaveOutsideZeroToAnHourReadsAsTheDefault) {
    for (const char16_t* seconds : {u"-1", u"3601", u"soon"})
        EXPECT_EQ(ReadParameters(MapSource(Values{{u"AutoSave", seconds}}), 7, kFolder).AutoSave, 5);
    EXPECT_EQ(ReadParameters(MapSource(Values{{u"AutoSave", u"0"}}), 7, kFolder).AutoSave, 0);
}

TEST(Parameters, FontSizeTheEditorCannotTakeReadsAsTheDefault) {
    // 107374183 points would overflow in twips; 1638 is the largest size the control takes.
    for (const char16_t* size : {u"0", u"-12", u"1639", u"107374183", u"2147483647"})
        EXPECT_EQ(ReadParameters(MapSource(Values{{u"DefaultFontSize", size}}), 7, kFolder).DefaultFontSize, 10);
    EXPECT_EQ(ReadParameters(MapSource(Values{{u"DefaultFontSize", u"1"}}), 7, kFolder).DefaultFontSize, 1);
    EXPECT_EQ(ReadParameters(MapSource(Values{{u"DefaultFontSize", u"1638"}}), 7, kFolder).DefaultFontSize, 1638);
}

TEST(Parameters, VersionsKeptDefaultTwentyZeroOffNegativeIsTheDefault) {
    const auto versions = [](std::optional<std::u16string> text) {
        Values values;
        if (text) values[u"Versions"] = *text;
        return ReadParameters(MapSource(values), 7, kFolder).Versions;
    };
    EXPECT_EQ(versions(std::nullopt), 20);
    EXPECT_EQ(versions(u"0"), 0);
    EXPECT_EQ(versions(u"3"), 3);
    EXPECT_EQ(versions(u"-1"), 20);
    EXPECT_EQ(versions(u"many"), 20);
}
