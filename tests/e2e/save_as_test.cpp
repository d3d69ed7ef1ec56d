// Save as through the system's own Save dialog: the copy read back by an independent reader, text
// by the page kind or the type picked, and a read-only file left as it was.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

#include <dlgs.h>

namespace tavrik::e2e {
namespace {

// "Shopping: Съешь же ещё этих булок, bread and tea." as an old Russian Windows saved it, in
// Windows-1251 bytes, with "Съешь" and "bread" bold.
constexpr char kRichPage[] =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
    "\\pard\\f0\\fs20 Shopping: \\b \\'d1\\'fa\\'e5\\'f8\\'fc\\b0  \\'e6\\'e5 \\'e5\\'f9\\'b8 \\'fd\\'f2\\'e8\\'f5 "
    "\\'e1\\'f3\\'eb\\'ee\\'ea, \\b bread\\b0  and tea.\\par\r\n}\r\n";
const std::wstring kText = L"Shopping: Съешь же ещё этих булок, bread and tea.";

std::wstring Text(HWND hwnd) {
    wchar_t text[512] = {};
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string WithoutLineEnds(std::optional<std::string> text) {
    if (!text) return "<no file>";
    while (!text->empty() && (text->back() == '\r' || text->back() == '\n')) text->pop_back();
    return *text;
}

// What a text copy of kText holds: the Cyrillic fits no ANSI code page but Windows-1251.
std::string PlainCopyOfText() {
    if (GetACP() == 1251)
        return "Shopping: \xD1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 \xFD\xF2\xE8\xF5 "
               "\xE1\xF3\xEB\xEE\xEA, bread and tea.";
    return "\xEF\xBB\xBF" + Utf8(kText);
}

// The body of unrtf's HTML as text, each &#N; the character it names, and what of it is bold.
struct HtmlBody {
    std::wstring text;
    std::wstring bold;
};
HtmlBody ReadHtmlBody(const std::string& html) {
    HtmlBody body;
    size_t i = html.find("<body>");
    const size_t end = html.find("</body>");
    if (i == std::string::npos || end == std::string::npos) return body;
    bool bold = false;
    while (i < end) {
        std::wstring piece;
        if (html[i] == '<') {
            const size_t close = html.find('>', i);
            const std::string tag = html.substr(i, close + 1 - i);
            if (tag == "<b>" || tag == "</b>") bold = tag == "<b>";
            i = close + 1;
            continue;
        }
        if (html.compare(i, 2, "&#") == 0) {
            const size_t semicolon = html.find(';', i);
            piece.assign(1, static_cast<wchar_t>(std::stoi(html.substr(i + 2, semicolon - i - 2))));
            i = semicolon + 1;
        } else {
            const size_t next = html.find_first_of("<&", i + 1);
            piece = FromUtf8(std::string_view(html).substr(i, next - i));
            i = next;
        }
        body.text += piece;
        if (bold) body.bold += piece;
    }
    while (!body.text.empty() && iswspace(body.text.back())) body.text.pop_back();
    return body;
}

class SaveAsFile : public ::testing::Test {
protected:
    SaveAsFile() { EXPECT_TRUE(CreateDirectoryW(out.c_str(), nullptr)); }

    // Started on one page "Notes" holding `page`, the interface in English, and `out` as the
    // folder Save as was last used in.
    bool StartWith(std::wstring_view plain, std::string_view page) {
        WriteUtf16WithBom(folder.Ini(), L"[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nPlain=" +
                                            std::wstring(plain) + L"\r\nLastSave=" + out +
                                            L"\r\n[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
        WriteBytes(folder.PageFile(L"Notes"), page);
        return app.Start();
    }

    // Brought up, Ctrl+S: the system's Save dialog, or nullptr (the test failed).
    HWND OpenSaveDialog() {
        if (!app.Show() || !app.FocusPage()) return nullptr;
        PressChord(VK_CONTROL, 'S');
        return app.WaitForDialog(L"Save As");
    }

    // The name put in the dialog's name field over the one offered, then Enter.
    void NameAndEnter(HWND dialog, std::wstring_view name) {
        SendMessageW(GetDlgItem(dialog, cmb13), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::wstring(name).c_str()));
        PressKey(VK_RETURN);
    }

    ProgramFolder folder;
    const std::wstring out = folder.Root() + L"out\\";
    TavrikProcess app{folder};
};

TEST_F(SaveAsFile, RichTextByDefaultReadsBackElsewhereAndTextWhenPickedInTheTypeList) {
    ASSERT_TRUE(StartWith(L"0", kRichPage));
    HWND dialog = OpenSaveDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Text(GetDlgItem(dialog, cmb13)), L"Notes");
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, cmb1), CB_GETCURSEL, 0, 0), 0) << "RichText Format offered";
    NameAndEnter(dialog, L"Copy");  // in the folder offered, with the type's extension
    const std::wstring copy = out + L"Copy.rtf";
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog) && FileExists(copy); }));
    app.FailOnMessageBoxes("after saving");

    // unrtf's text mode mangles Cyrillic kept as Windows-1251 bytes ("Съешь" comes out as "!J5HL"):
    // only the Latin text is read from it.
    const auto text = RunLinuxCommand("unrtf --text " + LinuxPath(copy));
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Shopping: "), std::string::npos) << *text;
    EXPECT_NE(text->find(", bread and tea."), std::string::npos) << *text;
    // Its HTML mode names every character by its code.
    const auto html = RunLinuxCommand("unrtf --html " + LinuxPath(copy));
    ASSERT_TRUE(html);
    const HtmlBody body = ReadHtmlBody(*html);
    EXPECT_EQ(body.text, kText) << *html;
    EXPECT_EQ(body.bold, L"Съешьbread") << *html;

    dialog = OpenSaveDialog();
    ASSERT_TRUE(dialog);
    const HWND types = GetDlgItem(dialog, cmb1);
    // Picked by hand: the dialog takes the type from the list's notifications, not from its selection.
    RECT rect{};
    GetWindowRect(types, &rect);
    ASSERT_TRUE(Click({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_EQ(Text(types), L"Text Format (*.txt)");
    NameAndEnter(dialog, L"Picked");
    const std::wstring picked = out + L"Picked.txt";
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog) && FileExists(picked); }));
    EXPECT_EQ(WithoutLineEnds(ReadBytes(picked)), PlainCopyOfText());
    app.FailOnMessageBoxes("after saving as text");
    EXPECT_TRUE(app.Close());
}

TEST_F(SaveAsFile, PlainPagesOfferTextAndTheCopyKeepsEveryCharacter) {
    // "Café crème, naïve façade": every character is in Windows-1252, the accented ones in no other.
    const std::string utf8 = "Caf\xC3\xA9 cr\xC3\xA8me, na\xC3\xAFve fa\xC3\xA7" "ade";
    ASSERT_TRUE(StartWith(L"1", "\xEF\xBB\xBF" + utf8));
    const HWND dialog = OpenSaveDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Text(GetDlgItem(dialog, cmb1)), L"Text Format (*.txt)");
    NameAndEnter(dialog, L"Copy");
    const std::wstring copy = out + L"Copy.txt";
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog) && FileExists(copy); }));
    EXPECT_EQ(WithoutLineEnds(ReadBytes(copy)),
              GetACP() == 1252 ? "Caf\xE9 cr\xE8me, na\xEFve fa\xE7" "ade" : "\xEF\xBB\xBF" + utf8);
    app.FailOnMessageBoxes("after saving");
    EXPECT_TRUE(app.Close());
}

BOOL CALLBACK CollectOwnedBox(HWND hwnd, LPARAM search) {
    auto* wanted = reinterpret_cast<std::pair<HWND, HWND>*>(search);
    if (GetWindow(hwnd, GW_OWNER) == wanted->first && IsWindowVisible(hwnd)) wanted->second = hwnd;
    return TRUE;
}

// The message box a dialog shows over itself, under the same caption; nullptr when none comes.
HWND BoxOver(HWND dialog) {
    std::pair<HWND, HWND> search{dialog, nullptr};
    WaitFor([&] {
        const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
        EnumThreadWindows(thread, CollectOwnedBox, reinterpret_cast<LPARAM>(&search));
        return search.second != nullptr;
    });
    return search.second;
}

// The dialog's own question answered Yes: the program refuses as Windows would, where Wine
// would replace the file.
TEST_F(SaveAsFile, ReadOnlyFileStaysByteForByteAfterYesAndTheUserIsTold) {
    const std::wstring kept = out + L"Kept.rtf";
    const std::string own = RtfPage("The user's own file");
    WriteBytes(kept, own);
    ASSERT_TRUE(SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(StartWith(L"0", kRichPage));
    const HWND dialog = OpenSaveDialog();
    ASSERT_TRUE(dialog);
    NameAndEnter(dialog, L"Kept.rtf");
    const HWND question = BoxOver(dialog);
    ASSERT_TRUE(question) << "no question before replacing the file";
    PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);

    const HWND error = app.WaitForDialog(L"Tavrik");
    ASSERT_TRUE(error);
    const std::wstring message = DialogMessage(error);
    EXPECT_EQ(message.rfind(L"Cannot create file \"" + kept + L"\".", 0), 0u) << Utf8(message);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(error); }));
    EXPECT_EQ(ReadBytes(kept), own);
    EXPECT_EQ(FolderEntries(out), std::vector<std::wstring>{L"Kept.rtf"}) << "nothing left beside it";
    app.FailOnMessageBoxes("after the refusal");
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace tavrik::e2e
