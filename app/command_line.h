// The program's command line: splitting it into arguments, reading the command, and the form a
// command takes on its way to the copy already running.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::app {

enum class CommandKind {
    None,        // a plain start
    Show,
    Hide,
    Toggle,
    NewPage,     // name: the page's, or empty to ask for one
    Page,        // name: the page to make current and show
    Append,      // text: the line; name: the page, or empty for the current one
    Help,
    AutoStart,   // on
    PageFolder,  // text: the file to write the page folder to
};

struct Command {
    CommandKind kind = CommandKind::None;
    std::u16string name;
    std::u16string text;
    bool on = false;
    bool operator==(const Command&) const = default;
};

enum class CommandError {
    UnknownSwitch,  // argument: the switch
    MissingValue,   // argument: the switch that wants it
    BadValue,       // argument: the value
    ExtraArgument,  // argument: the one too many
};

struct CommandLineError {
    CommandError what;
    std::u16string argument;
    bool operator==(const CommandLineError&) const = default;
};

struct ParsedCommand {
    Command command;
    std::optional<CommandLineError> error;  // set: the command is None
};

// Splits a command line as Windows' C runtime does; the first argument, the program, keeps
// backslashes and loses only its quotes.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

// Reads the arguments after the program's own name. Switches begin with / or - and ignore case.
ParsedCommand ParseArguments(const std::vector<std::u16string>& arguments);

// The command as arguments the parser reads back into the same command.
std::vector<std::u16string> CommandArguments(const Command& command);

// What travels to the running copy: the arguments, each ended by a NUL. Decoding takes data from
// another process and checks everything: nullopt when it is not such a list.
inline constexpr std::size_t kMaxCommandChars = std::size_t{1} << 20;
std::u16string EncodeArguments(const std::vector<std::u16string>& arguments);
std::optional<std::vector<std::u16string>> DecodeArguments(std::string_view bytes);

// Commands that end the starting copy without a window: it does them itself.
bool RunsWithoutWindow(CommandKind kind);

}  // namespace tavrik::app
