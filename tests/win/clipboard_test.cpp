// Clipboard catching and paste, with another process copying while the window stays hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/unique.h"
#include "editor/page_editor.h"
#include "editor/rich_ole.h"
#include "settings/settings_file.h"
#include "test_folder.h"

#include <richedit.h>
#include <richole.h>

using namespace tavrik;

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;  // left by forms of earlier tests
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    return true;
}

std::wstring PeerPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"tavrik_clipboard_peer.exe";
}

app::UniqueHandle StartPeer(const std::wstring& arguments) {
    std::wstring command = L"\"" + PeerPath() + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return {};
    CloseHandle(pi.hThread);
    return app::UniqueHandle(pi.hProcess);
}

// Runs the peer to its end while our window handles the notices it causes.
void RunPeer(const std::wstring& arguments) {
    auto process = StartPeer(arguments);
    ASSERT_TRUE(process) << "cannot start the clipboard peer";
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, 10000));
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    ASSERT_EQ(code, 0u) << "the peer failed to copy";
    Pump();
}

// A Russian sentence, and the same as the clipboard shows it when its KOI8-R bytes were taken for
// Windows-1251 (made with iconv): "Широкая электрификация южных губерний".
const wchar_t kRussian[] =
    L"\u0428\u0438\u0440\u043E\u043A\u0430\u044F \u044D\u043B\u0435\u043A\u0442\u0440\u0438\u0444\u0438\u043A\u0430"
    L"\u0446\u0438\u044F \u044E\u0436\u043D\u044B\u0445 \u0433\u0443\u0431\u0435\u0440\u043D\u0438\u0439";
const wchar_t kAsKoi8[] =
    L"\u044B\u0419\u0422\u041F\u041B\u0411\u0421 \u042C\u041C\u0415\u041B\u0424\u0422\u0419\u0416\u0419\u041B\u0411"
    L"\u0413\u0419\u0421 \u0410\u0426\u041E\u0429\u0418 \u0417\u0425\u0412\u0415\u0422\u041E\u0419\u041A";

class Clipboard : public test::FormTest {
protected:
    void SetUp() override {
        app::UniqueFile probe(CreateFileW(PeerPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                          nullptr));
        ASSERT_TRUE(probe) << "tavrik_clipboard_peer.exe is missing beside the tests";
    }
    void StartWith(std::string_view parameters) {
        StartForm(test::IniBuilder().Parameters(parameters).Page("A"));
        Pump();
    }
    HWND Editor() { return f.form->Editor(0); }
    std::wstring Text() { return editor::GetText(Editor()); }
    bool TextBecomes(const std::wstring& expected) {
        return PumpUntil([&] { return Text() == expected; }, 5000);
    }
};

}  // namespace

TEST_F(Clipboard, CatchesWhatAnotherProgramCopiesWhileHidden) {
    RunPeer(L"copy-text \"already there\"");
    StartWith("CatchClipboard=1");
    EXPECT_FALSE(PumpUntil([&] { return !Text().empty(); }, 300)) << "the old content was caught";
    RunPeer(L"copy-text \"one line\r\nand more\"");
    ASSERT_TRUE(TextBecomes(L"one line\r\nand more")) << "caught: " << testing::PrintToString(Text());
    RunPeer(L"copy-text \"one line\r\nand more\"");
    ASSERT_TRUE(TextBecomes(L"one line\r\nand moreone line\r\nand more")) << "copied twice, caught twice";
    EXPECT_EQ(editor::GetCaret(Editor()), 34);  // after the insertion; a line break is one position
    EXPECT_FALSE(IsWindowVisible(f.form->Handle()));
    ASSERT_TRUE(f.form->FinishAll());
    EXPECT_NE(test::ReadBytes(f.PageFile(L"A")).find("and moreone line"), std::string::npos);
}

TEST_F(Clipboard, SecretsAndOtherFormatsAreNotCaught) {
    StartWith("CatchClipboard=1");
    RunPeer(L"copy-secret \"password\"");
    RunPeer(L"copy-files");
    EXPECT_FALSE(PumpUntil([&] { return !Text().empty(); }, 500)) << testing::PrintToString(Text());
    RunPeer(L"copy-text after");
    EXPECT_TRUE(TextBecomes(L"after"));
}

// Copies marked for neither the clipboard's history nor its cloud stay out of the page; what is
// marked as allowed is caught. (Who copied cannot be shown here: Wine's clipboard names no owner
// for another program's copy, so the list of programs is tested on its rule alone.)
TEST_F(Clipboard, CopiesMarkedPrivateAreNotCaught) {
    StartWith("CatchClipboard=1");
    RunPeer(L"copy-marked one CanUploadToCloudClipboard 0");
    RunPeer(L"copy-marked two CanIncludeInClipboardHistory 0");
    EXPECT_FALSE(PumpUntil([&] { return !Text().empty(); }, 500)) << testing::PrintToString(Text());
    RunPeer(L"copy-marked three CanUploadToCloudClipboard 1");
    EXPECT_TRUE(TextBecomes(L"three"));
}

TEST_F(Clipboard, PicturesAreEmbeddedAtTheCaret) {
    StartWith("CatchClipboard=1");
    RunPeer(L"copy-bitmap");
    IRichEditOle* ole = nullptr;
    SendMessageW(Editor(), EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    ASSERT_NE(ole, nullptr);
    const bool embedded = PumpUntil([&] { return ole->GetObjectCount() == 1; }, 3000);
    ole->Release();
    EXPECT_TRUE(embedded);
}

TEST_F(Clipboard, ViewersAfterUsHearOfEveryCopy) {
    StartWith("CatchClipboard=1");
    test::TempFolder out;
    const std::wstring countFile = out.Path() + L"count.txt";
    auto viewer = StartPeer(L"viewer \"" + countFile + L"\" 2500");
    ASSERT_TRUE(viewer);
    ASSERT_TRUE(PumpUntil([&] { return test::Exists(countFile + L".ready"); }, 5000));
    RunPeer(L"copy-text seen");
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(viewer.Get(), 0) == WAIT_OBJECT_0; }, 10000));
    EXPECT_GE(std::stoi(test::ReadBytes(countFile)), 1);
    EXPECT_EQ(Text(), L"seen");
    // The viewer left the chain in front of us: we still catch, and the chain is whole.
    RunPeer(L"copy-text \" again\"");
    EXPECT_TRUE(TextBecomes(L"seen again"));
}

TEST_F(Clipboard, SwitchingStoresTheSettingAndSkipsWhatWasThere) {
    StartWith("CatchClipboard=0");
    RunPeer(L"copy-text ignored");
    f.form->CatchClipboardClick();
    EXPECT_EQ(f.form->Ini().ReadString(L"Parameters", L"CatchClipboard"), L"1");
    EXPECT_FALSE(PumpUntil([&] { return !Text().empty(); }, 300)) << "the content at switch-on was caught";
    RunPeer(L"copy-text caught");
    ASSERT_TRUE(TextBecomes(L"caught"));
    f.form->CatchClipboardClick();
    EXPECT_EQ(f.form->Ini().ReadString(L"Parameters", L"CatchClipboard"), L"0");
    RunPeer(L"copy-text \" not caught\"");
    EXPECT_FALSE(PumpUntil([&] { return Text() != L"caught"; }, 300));
    f.form->CatchClipboardClick();
    RunPeer(L"copy-text \" back\"");
    EXPECT_TRUE(TextBecomes(L"caught back"));
    // Leaving the chain at shut-down keeps the setting: catching resumes at the next start.
    f.Close();
    EXPECT_EQ(settings::IniFile(f.Ini()).ReadString(L"Parameters", L"CatchClipboard"), L"1");
}

TEST_F(Clipboard, PasteRecodesWrongCodePagesAsOneUndoStep) {
    StartWith("AutoDecode=1");
    SendMessageW(Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"<>"));
    SendMessageW(Editor(), EM_EMPTYUNDOBUFFER, 0, 0);
    editor::SetCaret(Editor(), 1);
    RunPeer(std::wstring(L"copy-text \"") + kAsKoi8 + L"\"");
    f.form->PasteButtonClick();
    EXPECT_EQ(Text(), std::wstring(L"<") + kRussian + L">");
    EXPECT_EQ(editor::GetCaret(Editor()), 1 + static_cast<int>(std::wstring(kRussian).size()));
    SendMessageW(Editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), L"<>");
}

TEST_F(Clipboard, PasteWithoutDecodingKeepsTheTextAsItCame) {
    StartWith("AutoDecode=0");
    RunPeer(std::wstring(L"copy-text \"") + kAsKoi8 + L"\r\n\u4E2D\"");
    f.form->PasteButtonClick();
    EXPECT_EQ(Text(), std::wstring(kAsKoi8) + L"\r\n\u4E2D");
    EXPECT_EQ(editor::GetCaret(Editor()), static_cast<int>(std::wstring(kAsKoi8).size()) + 2);
}

// A viewer after us that takes 1.5 s over each notice: the next copy comes in as a nested
// notice while we wait for it, and each copy must still be caught once, in order.
TEST_F(Clipboard, SlowViewerAfterUsLosesNoCopyAndDoublesNone) {
    StartWith("CatchClipboard=0");
    test::TempFolder out;
    const std::wstring countFile = out.Path() + L"count.txt";
    auto viewer = StartPeer(L"viewer \"" + countFile + L"\" 6000 1500");
    ASSERT_TRUE(viewer);
    ASSERT_TRUE(PumpUntil([&] { return test::Exists(countFile + L".ready"); }, 5000));
    f.form->CatchClipboardClick();  // joining after it puts it after us
    ASSERT_EQ(f.form->NextClipboardViewer, FindWindowExW(HWND_MESSAGE, nullptr, L"TavrikTestViewer", nullptr));
    RunPeer(L"copy-texts 500 AAA BBB");
    EXPECT_TRUE(TextBecomes(L"AAABBB")) << testing::PrintToString(Text());
    EXPECT_FALSE(PumpUntil([&] { return Text() != L"AAABBB"; }, 1500)) << testing::PrintToString(Text());
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(viewer.Get(), 0) == WAIT_OBJECT_0; }, 10000));
    EXPECT_GE(std::stoi(test::ReadBytes(countFile)), 2) << "the viewer heard of both copies";
}

// The page's file is held open by another program, so the page is read-only and never written:
// what went into it would be lost.
TEST_F(Clipboard, UnreadablePageTakesNoCopyNorPasteAndSaysSoOnce) {
    test::WriteBytes(f.PageFile(L"A"), "kept as it was");
    app::UniqueFile lock(CreateFileW(f.PageFile(L"A").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    StartWith("CatchClipboard=1\r\nLanguage=0");
    const auto said = [&](std::wstring_view start) {
        return std::count_if(log.texts.begin(), log.texts.end(), [&](const std::wstring& t) { return t.starts_with(start); });
    };
    RunPeer(L"copy-text one");
    RunPeer(L"copy-text two");
    PumpUntil([] { return false; }, 300);
    ASSERT_TRUE(f.form->Page(0).unreadable);
    const std::wstring shown = Text();  // the reason, in the page's place
    EXPECT_EQ(shown.find(L"one"), std::wstring::npos);
    EXPECT_EQ(shown.find(L"two"), std::wstring::npos);
    EXPECT_EQ(said(L"Copies are not caught into the page 'A': its file could not be read."), 1) << "once, not per copy";

    f.form->PasteButtonClick();
    // Ctrl+V reaches the editor, which asks the window before it pastes by itself.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(Editor(), WM_KEYDOWN, 'V', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(said(L"Nothing can be pasted into the page 'A': its file could not be read."), 2);
    EXPECT_EQ(Text(), shown);

    // The file free again: the page is read when next needed, and takes copies again.
    lock.Reset();
    RunPeer(L"copy-text \"caught \"");
    EXPECT_TRUE(TextBecomes(L"caught kept as it was")) << testing::PrintToString(Text());
    ASSERT_TRUE(f.form->FinishAll());
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"A")).find("caught kept as it was") != std::string::npos, true);
}

// Text dragged into a page is asked about as Paste would take it. Wine's rich edit takes no
// drops, so the test asks in the control's place, as its OLE callback does.
TEST_F(Clipboard, TextDroppedIntoAPageArrivesPlainAndRecoded) {
    StartWith("AutoDecode=1");
    f.form->ShowMenuClick();
    SendMessageW(Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"<>"));
    POINTL client{};
    SendMessageW(Editor(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&client), 1);
    POINT between{client.x + 1, client.y + 2};
    ClientToScreen(Editor(), &between);
    const auto drop = [&](std::wstring_view text, bool really) {
        editor::TextDropNotice notice{{Editor(), static_cast<UINT_PTR>(GetDlgCtrlID(Editor())), editor::kTextDropNotice},
                                      text, really, between};
        return static_cast<editor::TextDrop>(
            SendMessageW(GetParent(Editor()), WM_NOTIFY, notice.header.idFrom, reinterpret_cast<LPARAM>(&notice)));
    };
    EXPECT_EQ(drop(L"latin", true), editor::TextDrop::AsPlainText) << "the control puts it in, as plain text";
    EXPECT_EQ(drop(kAsKoi8, false), editor::TextDrop::AsPlainText) << "only asked while dragging";
    EXPECT_EQ(Text(), L"<>");
    EXPECT_EQ(drop(kAsKoi8, true), editor::TextDrop::Inserted);
    EXPECT_EQ(Text(), std::wstring(L"<") + kRussian + L">");
    f.form->params.AutoDecode = false;
    EXPECT_EQ(drop(kAsKoi8, true), editor::TextDrop::AsPlainText);
}
