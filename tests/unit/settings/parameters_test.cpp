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

// Every key of section Parameters as tavrik.ini files spell it, a value other than its default as a
// hand might write it, and the value the program writes back.
TEST(ParameterKeys, EveryKeyRoundTripsUnderTheSpellingFilesHave) {
    struct Case {
        std::u16string_view name, stored, written;
    };
    const Case cases[] = {
        {u"DefaultFontName", u"Times New Roman", u"Times New Roman"},
        {u"DefaultFontSize", u"14", u"14"},
        {u"DefaultFontColor", u"0xFF", u"255"},
        {u"DefaultRichEditColor", u"-2147483643", u"-2147483643"},  // a system colour
        {u"DefaultFontStyle", u"3", u"3"},
        {u"MainLeft", u"-1200", u"-1200"},
        {u"MainTop", u"40", u"40"},
        {u"MainHeight", u"600", u"600"},
        {u"MainWidth", u"800", u"800"},
        {u"Style", u"0", u"0"},
        {u"Multitabs", u"1", u"1"},
        {u"OnTop", u"0", u"0"},
        {u"Plain", u"7", u"1"},
        {u"NoTransparency", u"1", u"1"},
        {u"MaxTransparency", u"180", u"180"},
        {u"ShowCool", u"0", u"0"},
        {u"FadeSpeed", u"12", u"12"},
        {u"AutoHide", u"1", u"1"},
        {u"HideTimeout", u"30", u"30"},
        {u"AutoStart", u"1", u"1"},
        {u"CloseAsMinimize", u"1", u"1"},
        {u"ShowTrayIcon", u"0", u"0"},
        {u"Language", u"0", u"0"},
        {u"SaveTo", u"D:\\Заметки", u"D:\\Заметки\\"},
        {u"LastSave", u"\\\\server\\share\\", u"\\\\server\\share\\"},
        {u"AutoTab", u"1", u"1"},
        {u"AutoDecode", u"1", u"1"},
        {u"CatchClipboard", u"1", u"1"},
        {u"StartPage", u"4", u"4"},
        {u"HotKey", u"0x604E", u"24654"},  // Ctrl+Alt+N
        {u"AutoSave", u"60", u"60"},
        {u"Versions", u"0", u"0"},
        {u"ShowOnMouseMonitor", u"1", u"1"},
        {u"SpellCheck", u"0", u"0"},
        {u"NoCatchFrom", u"KeePass.exe; pwsafe", u"KeePass.exe; pwsafe"},
        {u"Theme", u"2", u"2"},
    };
    Values values;
    for (const Case& c : cases) values[std::u16string(c.name)] = c.stored;
    const Parameters read = ReadParameters(MapSource(values), 5, kFolder);  // translucency off by default there

    ASSERT_EQ(ParameterKeys().size(), std::size(cases)) << "a key without a case, or a case without a key";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const ParameterKey& key = ParameterKeys()[i];
        EXPECT_EQ(key.name, cases[i].name) << "the spelling a new key is written with";
        EXPECT_EQ(FormatParameter(read, key), cases[i].written) << std::string(key.name.begin(), key.name.end());
        EXPECT_EQ(&KeyOf(key.member), &key);
        Parameters again;
        ReadParameter(again, key, FormatParameter(read, key), kFolder);
        EXPECT_EQ(FormatParameter(again, key), cases[i].written) << "what is written reads back the same";
    }
}

TEST(ParameterKeys, ARecordMadeBareHoldsTheDefaultsOfAFileWithoutTheKeys) {
    const Parameters bare;
    const Parameters read = ReadParameters(MapSource(), 5, u"C:\\Tavrik\\");
    for (const ParameterKey& key : ParameterKeys()) {
        if (key.kind == ParameterKind::Folder) continue;  // the program's folder, which a bare record does not know
        EXPECT_EQ(FormatParameter(bare, key), FormatParameter(read, key))
            << std::string(key.name.begin(), key.name.end());
    }
    EXPECT_EQ(bare.DefaultFontName, u"MS Sans Serif");
    EXPECT_EQ(bare.Versions, 20);
    EXPECT_EQ(bare.StartPage, 0);
    EXPECT_FALSE(bare.ShowOnMouseMonitor) << "a file from before the option shows where the window was";
    EXPECT_EQ(bare.Theme, 0) << "as Windows";
}
