// tavrik.ini as a test gives it to the program: ANSI text, CR LF lines, [Parameters] then [Pages].
#pragma once

#include <string>
#include <string_view>

namespace tavrik::test {

// A page's entry as the program writes it for a new rich page: white, Arial 10.
inline constexpr std::string_view kPageEntry = "16777215*Arial*0*10*0*0*1*";

// IniBuilder().Parameter("Language", 0).Page("Notes").WriteTo(path). A section is written when it
// was given anything, an empty one too.
class IniBuilder {
public:
    IniBuilder& Parameter(std::string_view key, std::string_view value);
    IniBuilder& Parameter(std::string_view key, int value) { return Parameter(key, std::to_string(value)); }
    IniBuilder& Parameter(std::string_view key, const std::wstring& value);  // a path: ANSI, as users' files hold it
    // Lines "Key=value" already joined, as a table of cases lists them; a missing last CR LF is added.
    IniBuilder& Parameters(std::string_view lines);
    IniBuilder& Pages(std::string_view lines = {});  // "Name=entry" lines already joined, or none
    IniBuilder& Page(std::string_view name, std::string_view entry = kPageEntry);

    std::string Text() const;
    bool WriteTo(const std::wstring& path) const;

private:
    std::string parameters_;
    std::string pages_;
    bool hasParameters_ = false;
    bool hasPages_ = false;
};

}  // namespace tavrik::test
