#include "editor/clipboard_privacy.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavrik::editor {
namespace {

TEST(ClipboardPrivacy, AnyMarkerThatSaysPrivateKeepsTheCopyOut) {
    struct Case {
        ClipboardMarkers markers;
        bool left;
    };
    const Case cases[] = {
        {{}, false},
        {{true, false, {}, {}}, true},
        {{false, true, {}, {}}, true},
        {{false, false, 0u, {}}, true},
        {{false, false, 1u, {}}, false},
        {{false, false, {}, 0u}, true},
        {{false, false, 1u, 0u}, true},  // allowed in the history, kept off the cloud
        {{false, false, 1u, 1u}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(MarkedPrivate(c.markers), c.left);
}

bool SameAsciiIgnoringCase(std::u16string_view a, std::u16string_view b) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) {
               return lower(x) == lower(y);
           });
}

TEST(ClipboardPrivacy, AListedProgramIsKnownByItsFileName) {
    EXPECT_EQ(ProgramNames(u" KeePass.exe ;; pwsafe,\tvault.EXE ; "),
              (std::vector<std::u16string>{u"KeePass.exe", u"pwsafe", u"vault.EXE"}));
    struct Case {
        std::u16string_view path, list;
        bool listed;
    };
    const Case cases[] = {
        {u"C:\\Program Files\\KeePass\\KeePass.exe", u"keepass.exe", true},
        {u"C:\\Tools\\pwsafe.exe", u"KeePass.exe; PWSAFE", true},     // no extension: the program file
        {u"C:\\Tools\\pwsafe.com", u"pwsafe", false},
        {u"C:\\Tools\\notepad.exe", u"KeePass.exe; pwsafe", false},
        {u"C:\\KeePass.exe\\other.exe", u"KeePass.exe", false},        // a folder's name is not the program's
        {u"\\\\?\\D:\\bin\\vault.exe", u"vault.exe", true},
        {u"C:\\Tools\\vault.exe", u"", false},
        {u"", u"vault.exe", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsListedProgram(c.path, c.list, SameAsciiIgnoringCase), c.listed)
            << std::string(c.path.begin(), c.path.end());
}

}  // namespace
}  // namespace tavrik::editor
