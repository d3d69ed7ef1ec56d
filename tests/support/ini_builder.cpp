// Settings files of the tests.
#include "ini_builder.h"

#include "scratch_files.h"

namespace tavrik::test {
namespace {
void AppendLines(std::string& to, std::string_view lines) {
    to.append(lines);
    if (!lines.empty() && !lines.ends_with("\r\n")) to.append("\r\n");
}
}  // namespace

IniBuilder& IniBuilder::Parameter(std::string_view key, std::string_view value) {
    hasParameters_ = true;
    parameters_.append(key).append("=").append(value).append("\r\n");
    return *this;
}

IniBuilder& IniBuilder::Parameter(std::string_view key, const std::wstring& value) {
    return Parameter(key, std::string(value.begin(), value.end()));
}

IniBuilder& IniBuilder::Parameters(std::string_view lines) {
    hasParameters_ = true;
    AppendLines(parameters_, lines);
    return *this;
}

IniBuilder& IniBuilder::Pages(std::string_view lines) {
    hasPages_ = true;
    AppendLines(pages_, lines);
    return *this;
}

IniBuilder& IniBuilder::Page(std::string_view name, std::string_view entry) {
    hasPages_ = true;
    pages_.append(name).append("=").append(entry).append("\r\n");
    return *this;
}

std::string IniBuilder::Text() const {
    std::string text;
    if (hasParameters_) text.append("[Parameters]\r\n").append(parameters_);
    if (hasPages_) text.append("[Pages]\r\n").append(pages_);
    return text;
}

bool IniBuilder::WriteTo(const std::wstring& path) const { return WriteFileBytes(path, Text()); }

}  // namespace tavrik::test
