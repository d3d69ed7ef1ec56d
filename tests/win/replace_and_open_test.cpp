// Edit, Replace and File, Open: what only the page's editor and the page folder show.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "app/open_dialog.h"
#include "editor/page_editor.h"
#include "test_folder.h"

#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

using namespace tavrik;

namespace {

class ReplaceAndOpen : public test::FormTest {
protected:
    void SetUp() override {
        StartForm(test::IniBuilder().Page("A"));
        Form().FormShow();
        editor_ = Form().Editor(0);
    }
    void TearDown() override {
        app::SetOpenFileHook({});
        app::SetDialogHooks({});
    }
    bool IsBold(LONG from, LONG to) const {
        CHARRANGE range{from, to};
        SendMessageW(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        SendMessageW(editor_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
    }
    // Opens `path` through File, Open, the file dialog answered with it.
    void Open(const std::wstring& path) {
        app::SetOpenFileHook([path] { return std::optional(path); });
        SendMessageW(Window(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Open), 0);
    }

    HWND editor_ = nullptr;
};

}  // namespace

TEST_F(ReplaceAndOpen, ReplaceAllKeepsFormatAndUndoesInOneStep) {
    // "dog" in bold between the matches; the replacement holds what is looked for.
    const std::wstring before = L"Cat and dog, cat and catalogue.";
    SetWindowTextW(editor_, before.c_str());
    CHARRANGE dog{8, 11};
    SendMessageW(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&dog));
    CHARFORMAT2W bold{};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    SendMessageW(editor_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
    SendMessageW(editor_, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(editor_, EM_SETMODIFY, FALSE, 0);

    EXPECT_EQ(Form().ReplaceAll(L"cat", L"cats", {.wholeWords = true}), 2u);
    EXPECT_EQ(Text(0), L"cats and dog, cats and catalogue.");
    EXPECT_TRUE(IsBold(9, 12)) << "the bold word between the matches keeps its format";
    EXPECT_FALSE(IsBold(0, 4));
    EXPECT_TRUE(SendMessageW(editor_, EM_GETMODIFY, 0, 0)) << "the page is to be saved";

    // Windows' control takes the whole Replace all back in one step. Wine's groups no edits: two
    // steps a match there, the text and its format (the plain page below shows one step under Wine).
    SendMessageW(editor_, EM_UNDO, 0, 0);
    for (int step = 1; step < 4 && Text(0) != before; ++step) SendMessageW(editor_, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(0), before);
    EXPECT_EQ(Form().ReplaceAll(L"CAT", L"x", {.matchCase = true}), 0u);
    EXPECT_EQ(Text(0), before);
}

TEST(ReplaceAllPlain, OneUndoTakesEveryReplacementBack) {
    const test::MessageLog log;
    test::FormInFolder f;
    f.WriteIni(test::IniBuilder().Parameter("Plain", 1).Page("A"));
    ASSERT_TRUE(f.Start());
    f.form->FormShow();
    const HWND editor = f.form->Editor(0);
    SetWindowTextW(editor, L"ёлка, Ёлка\r\nи ёлка");
    SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_EQ(f.form->ReplaceAll(L"ЁЛКА", L"ель", {}), 3u);
    EXPECT_EQ(editor::GetText(editor), L"ель, ель\r\nи ель");
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(editor::GetText(editor), L"ёлка, Ёлка\r\nи ёлка");
}

TEST_F(ReplaceAndOpen, CtrlHOpensTheReplaceDialogAndReplaceStepsThroughMatches) {
    std::vector<ACCEL> keys(static_cast<size_t>(CopyAcceleratorTableW(Form().Accelerators(), nullptr, 0)));
    CopyAcceleratorTableW(Form().Accelerators(), keys.data(), static_cast<int>(keys.size()));
    const auto key = [&](ui::Cmd cmd) {
        for (const ACCEL& k : keys)
            if (k.cmd == static_cast<WORD>(cmd)) return std::pair<BYTE, WORD>(k.fVirt, k.key);
        return std::pair<BYTE, WORD>(0, 0);
    };
    EXPECT_EQ(key(ui::Cmd::Replace), (std::pair<BYTE, WORD>(FVIRTKEY | FCONTROL, 'H')));
    EXPECT_EQ(key(ui::Cmd::Open), (std::pair<BYTE, WORD>(FVIRTKEY | FCONTROL, 'O')));

    SendMessageW(Window(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Replace), 0);
    const HWND dialog = Form().FindDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(GetDlgItem(dialog, edt2), nullptr) << "the dialog has a box for the replacement";
    EXPECT_FALSE(Form().KeysEnabled()) << "the dialog's keys are its own while it is open";

    SetWindowTextW(editor_, L"one two one");
    EXPECT_TRUE(Form().ReplaceNext(L"one", L"1", {}));  // nothing selected: the first match is selected
    EXPECT_EQ(Text(0), L"one two one");
    EXPECT_TRUE(Form().ReplaceNext(L"one", L"1", {}));
    EXPECT_EQ(Text(0), L"1 two one");
    EXPECT_TRUE(Form().ReplaceNext(L"one", L"1", {}));
    EXPECT_EQ(Text(0), L"1 two 1");
    EXPECT_FALSE(Form().FindNext(L"one", {}));

    SendMessageW(dialog, WM_CLOSE, 0, 0);
    test::DispatchPosted();
    EXPECT_EQ(Form().FindDialog(), nullptr);
    EXPECT_TRUE(Form().KeysEnabled());
}

TEST_F(ReplaceAndOpen, OpenedFilesBecomePagesAndStayAsTheyWere) {
    test::TempFolder source;
    // "Заметки" ("notes") in UTF-8 without a byte order mark, as other editors write it.
    const std::string utf8 = "\xD0\x97\xD0\xB0\xD0\xBC\xD0\xB5\xD1\x82\xD0\xBA\xD0\xB8 1\r\nline 2";
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold} end\\par}";
    const std::wstring txtPath = source.Path() + L"Notes.txt", rtfPath = source.Path() + L"Letter.rtf";
    test::WriteBytes(txtPath, utf8);
    test::WriteBytes(rtfPath, rtf);

    Open(txtPath);
    Open(rtfPath);
    ASSERT_EQ(PageNames(), (std::vector<std::wstring>{L"A", L"Notes", L"Letter"}));
    EXPECT_EQ(Form().TabIndex(), 2) << "the page opened last is the current one";
    EXPECT_EQ(PageText(L"Notes"), L"Заметки 1\r\nline 2");
    EXPECT_EQ(PageText(L"Letter"), L"plain bold end");
    EXPECT_TRUE(test::Exists(f.PageFile(L"Notes")));
    EXPECT_TRUE(test::Exists(f.PageFile(L"Letter")));
    EXPECT_EQ(test::ReadBytes(txtPath), utf8) << "the file opened is never changed";
    EXPECT_EQ(test::ReadBytes(rtfPath), rtf);
    EXPECT_EQ(ListedPages(), PageNames());
}

TEST_F(ReplaceAndOpen, RefusedOrTakenNameComesBackInTheNameDialog) {
    test::TempFolder source;
    std::vector<std::wstring> offered;
    std::vector<std::wstring> answers{L"A 2", L"old notes"};
    app::SetDialogHooks({[&](std::wstring_view, std::wstring_view text) -> std::optional<std::wstring> {
                             offered.emplace_back(text);
                             if (answers.empty()) return std::nullopt;
                             std::wstring answer = answers.front();
                             answers.erase(answers.begin());
                             return answer;
                         },
                         nullptr, nullptr});
    const std::wstring taken = source.Path() + L"a.txt", dotted = source.Path() + L"notes.old.txt";
    test::WriteBytes(taken, "text of a");
    test::WriteBytes(dotted, "old");

    Open(taken);  // "a" is page "A" in another letter case
    Open(dotted);
    EXPECT_EQ(offered, (std::vector<std::wstring>{L"a", L"notes.old"}));
    EXPECT_EQ(log.texts.size(), 2u) << "each refusal is said, in New page's words";
    EXPECT_EQ(PageNames(), (std::vector<std::wstring>{L"A", L"A 2", L"old notes"}));
    EXPECT_EQ(PageText(L"A 2"), L"text of a");

    Open(source.Path() + L"Gone.txt");  // a file that went away meanwhile: said, no page
    EXPECT_EQ(log.texts.size(), 3u);
    EXPECT_EQ(Form().PageCount(), 3);
}
