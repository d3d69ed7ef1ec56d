// The command line: Windows' splitting, the switches and their values, and the list a second start
// sends to the running copy.
#include "app/command_line.h"
#include "ui/command_line_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavrik::app;
using Args = std::vector<std::u16string>;

namespace {

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

Command C(CommandKind kind, std::u16string name = {}, std::u16string text = {}, bool on = false) {
    return {kind, std::move(name), std::move(text), on};
}

}  // namespace

TEST(CommandLine, SplitsAsTheCRuntimeDoes) {
    struct Case {
        std::u16string_view line;
        Args arguments;
    };
    const Case cases[] = {
        {u"", {}},
        {uR"(tavrik.exe)", {u"tavrik.exe"}},
        // The program's own backslashes and quotes are not escapes.
        {uR"("C:\Program Files\Tavrik\tavrik.exe" /show)", {uR"(C:\Program Files\Tavrik\tavrik.exe)", u"/show"}},
        {uR"(C:\t\tavrik.exe   /new	"Shopping list")", {uR"(C:\t\tavrik.exe)", u"/new", u"Shopping list"}},
        {uR"(t /page "Дела на "неделю)", {u"t", u"/page", u"Дела на неделю"}},
        {uR"(t /append a\\b \"quoted\" c\d)", {u"t", u"/append", uR"(a\\b)", u"\"quoted\"", uR"(c\d)"}},
        {uR"(t "a\\" b)", {u"t", uR"(a\)", u"b"}},
        {uR"(t "say ""hi""" x)", {u"t", u"say \"hi\"", u"x"}},
        {uR"(t "" x)", {u"t", u"", u"x"}},
        {uR"(t "open end)", {u"t", u"open end"}},
        {u"t   ", {u"t"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << Narrow(std::u16string(c.line));
}

TEST(CommandLine, ReadsEveryFormAndRefusesWhatIsWrong) {
    using K = CommandKind;
    using E = CommandError;
    struct Case {
        Args arguments;
        Command command;
        std::optional<CommandLineError> error;
    };
    const Case cases[] = {
        {{}, {}, {}},
        {{u"/show"}, C(K::Show), {}},
        {{u"/HIDE"}, C(K::Hide), {}},
        {{u"-Toggle"}, C(K::Toggle), {}},
        {{u"/new"}, C(K::NewPage), {}},
        {{u"/new", u"Shopping list"}, C(K::NewPage, u"Shopping list"), {}},
        {{u"/page", u"Дела"}, C(K::Page, u"Дела"), {}},
        {{u"/append", u"Buy", u"milk"}, C(K::Append, u"", u"Buy milk"), {}},
        {{u"/append", u"/show"}, C(K::Append, u"", u"/show"), {}},  // the rest of the line is the text
        {{u"/page", u"Дела", u"-APPEND", u"call", u"Анна"}, C(K::Append, u"Дела", u"call Анна"), {}},
        {{u"/page", u"-x"}, C(K::Page, u"-x"), {}},  // only a known switch ends a value
        {{u"/help"}, C(K::Help), {}},
        {{u"/?"}, C(K::Help), {}},
        {{u"/autostart", u"ON"}, C(K::AutoStart, u"", u"", true), {}},
        {{u"/autostart", u"off"}, C(K::AutoStart), {}},
        {{u"/pagefolder", uR"(C:\Temp\folder.txt)"}, C(K::PageFolder, u"", uR"(C:\Temp\folder.txt)"), {}},
        {{u"/shwo"}, {}, CommandLineError{E::UnknownSwitch, u"/shwo"}},
        {{u"--show"}, {}, CommandLineError{E::UnknownSwitch, u"--show"}},
        {{u"notes.txt"}, {}, CommandLineError{E::ExtraArgument, u"notes.txt"}},
        {{u"/page"}, {}, CommandLineError{E::MissingValue, u"/page"}},
        {{u"/page", u""}, {}, CommandLineError{E::MissingValue, u"/page"}},
        {{u"/page", u"/append", u"x"}, {}, CommandLineError{E::MissingValue, u"/page"}},
        {{u"/page", u"Дела", u"/append"}, {}, CommandLineError{E::MissingValue, u"/append"}},
        {{u"/append"}, {}, CommandLineError{E::MissingValue, u"/append"}},
        {{u"/autostart"}, {}, CommandLineError{E::MissingValue, u"/autostart"}},
        {{u"/autostart", u"yes"}, {}, CommandLineError{E::BadValue, u"yes"}},
        {{u"/pagefolder"}, {}, CommandLineError{E::MissingValue, u"/pagefolder"}},
        {{u"/show", u"/hide"}, {}, CommandLineError{E::ExtraArgument, u"/hide"}},
        {{u"/new", u"a", u"b"}, {}, CommandLineError{E::ExtraArgument, u"b"}},
        {{u"/page", u"Дела", u"/show"}, {}, CommandLineError{E::ExtraArgument, u"/show"}},
        {{u"/help", u"me"}, {}, CommandLineError{E::ExtraArgument, u"me"}},
    };
    for (const Case& c : cases) {
        const ParsedCommand parsed = ParseArguments(c.arguments);
        std::string line;
        for (const auto& a : c.arguments) line += Narrow(a) + ' ';
        EXPECT_EQ(parsed.command, c.command) << line;
        EXPECT_EQ(parsed.error, c.error) << line;
        // A command travels to the running copy as arguments and is read there the same.
        if (!c.error) {
            EXPECT_EQ(ParseArguments(CommandArguments(parsed.command)).command, c.command) << line;
        }
    }
}

TEST(CommandLine, DecodesOnlyAWellFormedListFromAnotherProcess) {
    const auto bytes = [](const std::u16string& data) {
        return std::string(reinterpret_cast<const char*>(data.data()), data.size() * 2);
    };
    const Args sent{u"/page", u"Дела", u"/append", u""};
    EXPECT_EQ(DecodeArguments(bytes(EncodeArguments(sent))), sent);

    const std::string whole = bytes(EncodeArguments(sent));
    struct Bad {
        const char* why;
        std::string data;
    };
    const Bad bad[] = {
        {"nothing", ""},
        {"odd size", whole.substr(0, whole.size() - 1)},
        {"last argument not ended", bytes(u"/show")},
        {"too many arguments", bytes(std::u16string(17, u'\0'))},
        {"too large", std::string((kMaxCommandChars + 1) * 2, '\0')},
    };
    for (const Bad& b : bad) EXPECT_FALSE(DecodeArguments(b.data)) << b.why;
}

TEST(CommandLineTexts, NameTheWrongArgumentAndEveryForm) {
    using tavrik::ui::Language;
    for (Language language : {Language::English, Language::Russian}) {
        const std::u16string message =
            tavrik::ui::CommandLineErrorMessage({CommandError::UnknownSwitch, u"/shwo"}, language);
        EXPECT_NE(message.find(u"/shwo"), std::u16string::npos);
        EXPECT_EQ(message.find(u"%s"), std::u16string::npos);
        for (std::u16string_view form : {u"/show", u"/hide", u"/toggle", u"/new", u"/page", u"/append", u"/autostart",
                                         u"/pagefolder", u"/help"})
            EXPECT_NE(message.find(form), std::u16string::npos) << Narrow(std::u16string(form));
    }
}
