// The command line: Windows' splitting rules, the switches, and the list sent to a running copy.
#include "app/command_line.h"

#include <cstring>

namespace tavrik::app {
namespace {

constexpr std::size_t kMaxArguments = 16;

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

struct Switch {
    std::u16string_view name;
    CommandKind kind;
};

constexpr Switch kSwitches[] = {
    {u"show", CommandKind::Show},       {u"hide", CommandKind::Hide},
    {u"toggle", CommandKind::Toggle},   {u"new", CommandKind::NewPage},
    {u"page", CommandKind::Page},       {u"append", CommandKind::Append},
    {u"help", CommandKind::Help},       {u"?", CommandKind::Help},
    {u"autostart", CommandKind::AutoStart}, {u"pagefolder", CommandKind::PageFolder},
};

bool LooksLikeSwitch(std::u16string_view argument) {
    return argument.size() > 1 && (argument[0] == u'/' || argument[0] == u'-');
}

std::optional<CommandKind> SwitchOf(std::u16string_view argument) {
    if (!LooksLikeSwitch(argument)) return std::nullopt;
    for (const Switch& s : kSwitches)
        if (SameIgnoringCase(argument.substr(1), s.name)) return s.kind;
    return std::nullopt;
}

std::u16string_view NameOf(CommandKind kind) {
    for (const Switch& s : kSwitches)
        if (s.kind == kind) return s.name;
    return {};
}

ParsedCommand Failed(CommandError what, std::u16string argument) {
    return {Command{}, CommandLineError{what, std::move(argument)}};
}

}  // namespace

// Outside the program's name: 2n backslashes before a quote give n and the quote opens or closes
// quoting; 2n+1 give n and a quote of the text; a quote doubled inside quotes is one quote of the
// text. Backslashes before anything else are themselves.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    // The program's name: a path never holds quotes, and its backslashes stay as they are.
    {
        std::u16string program;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            if (line[i] == u'"') quoted = !quoted;
            else program += line[i];
        }
        if (!program.empty() || !line.empty()) arguments.push_back(std::move(program));
    }
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::u16string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            if (line[i] == u'\\') {
                std::size_t slashes = 0;
                while (i < line.size() && line[i] == u'\\') ++slashes, ++i;
                if (i < line.size() && line[i] == u'"') {
                    argument.append(slashes / 2, u'\\');
                    if (slashes % 2 == 1) {
                        argument += u'"';
                        ++i;
                    }
                } else {
                    argument.append(slashes, u'\\');
                }
                continue;
            }
            if (line[i] == u'"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                    argument += u'"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            argument += line[i++];
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

// One command a line. /page may come before /append to name its page; the text of /append is the
// rest of the line, so that words need no quotes.
ParsedCommand ParseArguments(const std::vector<std::u16string>& arguments) {
    ParsedCommand parsed;
    Command& command = parsed.command;
    std::size_t i = 0;
    const auto valueAt = [&](std::size_t at) -> const std::u16string* {
        return at < arguments.size() && !SwitchOf(arguments[at]) ? &arguments[at] : nullptr;
    };
    if (arguments.empty()) return parsed;
    const std::u16string& first = arguments[i];
    const std::optional<CommandKind> kind = SwitchOf(first);
    if (!kind) return Failed(LooksLikeSwitch(first) ? CommandError::UnknownSwitch : CommandError::ExtraArgument, first);
    ++i;
    switch (*kind) {
    case CommandKind::NewPage:
        if (const std::u16string* name = valueAt(i)) {
            command.name = *name;
            ++i;
        }
        break;
    case CommandKind::Page: {
        const std::u16string* name = valueAt(i);
        if (!name || name->empty()) return Failed(CommandError::MissingValue, first);
        command.name = *name;
        ++i;
        if (i < arguments.size() && SwitchOf(arguments[i]) == CommandKind::Append) {
            const std::u16string& append = arguments[i++];
            if (i >= arguments.size()) return Failed(CommandError::MissingValue, append);
            command.kind = CommandKind::Append;
            for (; i < arguments.size(); ++i) command.text += (command.text.empty() ? u"" : u" ") + arguments[i];
            return parsed;
        }
        break;
    }
    case CommandKind::Append:
        if (i >= arguments.size()) return Failed(CommandError::MissingValue, first);
        for (; i < arguments.size(); ++i) command.text += (command.text.empty() ? u"" : u" ") + arguments[i];
        break;
    case CommandKind::AutoStart: {
        const std::u16string* value = valueAt(i);
        if (!value) return Failed(CommandError::MissingValue, first);
        if (SameIgnoringCase(*value, u"on")) command.on = true;
        else if (!SameIgnoringCase(*value, u"off")) return Failed(CommandError::BadValue, *value);
        ++i;
        break;
    }
    case CommandKind::PageFolder: {
        const std::u16string* file = valueAt(i);
        if (!file || file->empty()) return Failed(CommandError::MissingValue, first);
        command.text = *file;
        ++i;
        break;
    }
    default: break;
    }
    if (i < arguments.size()) return Failed(CommandError::ExtraArgument, arguments[i]);
    command.kind = *kind;
    return parsed;
}

std::vector<std::u16string> CommandArguments(const Command& command) {
    const std::u16string slash = u"/";
    switch (command.kind) {
    case CommandKind::None: return {};
    case CommandKind::NewPage:
        if (command.name.empty()) return {u"/new"};
        return {u"/new", command.name};
    case CommandKind::Page: return {u"/page", command.name};
    case CommandKind::Append:
        if (command.name.empty()) return {u"/append", command.text};
        return {u"/page", command.name, u"/append", command.text};
    case CommandKind::AutoStart: return {u"/autostart", command.on ? u"on" : u"off"};
    case CommandKind::PageFolder: return {u"/pagefolder", command.text};
    default: return {slash + std::u16string(NameOf(command.kind))};
    }
}

std::u16string EncodeArguments(const std::vector<std::u16string>& arguments) {
    std::u16string data;
    for (const std::u16string& argument : arguments) {
        data += argument;
        data += u'\0';
    }
    return data;
}

std::optional<std::vector<std::u16string>> DecodeArguments(std::string_view bytes) {
    if (bytes.empty() || bytes.size() % 2 != 0 || bytes.size() / 2 > kMaxCommandChars) return std::nullopt;
    std::u16string data(bytes.size() / 2, u'\0');
    std::memcpy(data.data(), bytes.data(), bytes.size());
    if (data.back() != u'\0') return std::nullopt;
    std::vector<std::u16string> arguments;
    for (std::size_t start = 0; start < data.size();) {
        const std::size_t end = data.find(u'\0', start);
        if (arguments.size() == kMaxArguments) return std::nullopt;
        arguments.emplace_back(data.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

bool RunsWithoutWindow(CommandKind kind) {
    return kind == CommandKind::Help || kind == CommandKind::PageFolder;
}

}  // namespace tavrik::app
