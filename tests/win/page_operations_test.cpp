// The page commands: new, rename, delete, the ring of pages and moving a tab.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/recycle_bin.h"
#include "dialog_driver.h"
#include "scratch_files.h"
#include "test_folder.h"

#include <commctrl.h>
#include <richedit.h>

#include <deque>

using namespace tavrik;

namespace {

using Names = std::vector<std::wstring>;

const Names kFourPages{L"One", L"Two", L"Three", L"Four"};

// Answers the name dialog from a list: a string is typed and confirmed, nullopt cancels.
struct NameAnswers {
    NameAnswers() {
        app::SetDialogHooks({[this](std::wstring_view caption, std::wstring_view text) -> std::optional<std::wstring> {
            asked.emplace_back(caption, text);
            if (answers.empty()) return std::nullopt;
            auto answer = answers.front();
            answers.pop_front();
            return answer;
        }, nullptr, nullptr});
    }
    ~NameAnswers() { app::SetDialogHooks({}); }
    std::deque<std::optional<std::wstring>> answers;
    std::vector<std::pair<std::wstring, std::wstring>> asked;  // caption, text offered
};

// Deletes go to a stand-in that deletes outright, so the tests leave nothing in the user's Recycle
// Bin; the test of the real bin takes it away.
struct RecycleBinStandIn {
    RecycleBinStandIn() {
        pages::SetRecycleBinHook([this](const std::wstring& path) {
            offered.push_back(path);
            if (!refuse && !DeleteFileW(path.c_str())) test::RemoveTree(path + L"\\");
            return !refuse && !test::Exists(path);
        });
        pages::SetRecycleBinProbe([this](const std::wstring&) { return hasBin; });
    }
    ~RecycleBinStandIn() {
        pages::SetRecycleBinHook({});
        pages::SetRecycleBinProbe({});
    }
    std::vector<std::wstring> offered;
    bool refuse = false;  // as when the shell fails altogether
    bool hasBin = true;   // false: the drive has none, as a USB stick or a share
};

// Wine's Recycle Bin is the desktop's trash, by default ~/.local/share/Trash with the items in its
// folder "files" under their own names while those are free. Wine hands programs the home folder as
// WINEHOMEDIR, not HOME; elsewhere this is empty.
std::wstring WineTrashFiles() {
    wchar_t home[1024];
    const DWORD length = GetEnvironmentVariableW(L"WINEHOMEDIR", home, 1024);  // \??\Z:\home\user
    if (length <= 4 || length >= 1024) return {};
    return std::wstring(home + 4, length - 4) + L"\\.local\\share\\Trash\\files\\";
}

class PageOperations : public test::FormTest {
protected:
    // English unless the test switches; the program's own default is Russian. The four pages start
    // at the first, as the user left them.
    void Start(const Names& pages) {
        test::IniBuilder ini;
        ini.Parameter("Language", 0);
        if (pages == kFourPages) ini.Parameter("StartPage", 0);
        for (const std::wstring& name : pages) ini.Page(Narrow(name));
        StartForm(ini);
        (void)Form().TabControl();
        for (int i = 0; i < Form().PageCount(); ++i)
            test::WriteBytes(f.PageFile(Form().PageName(i)), "Page " + std::string(Narrow(Form().PageName(i))));
        Form().SwitchToPage(Form().TabIndex());  // the start page read, as when the window comes up
    }
    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
    // The model, the tabs and the list say the same, in the same order.
    void ExpectInStep(const Names& names) {
        EXPECT_EQ(PageNames(), names);
        EXPECT_EQ(TabCaptions(), names);
        EXPECT_EQ(ListedPages(), names);
        EXPECT_EQ(TabCtrl_GetCurSel(Form().TabControl()), Form().TabIndex());
        EXPECT_EQ(Form().CurrentPageName(), Form().PageName(Form().TabIndex()));
        int shown = 0;
        for (int i = 0; i < Form().PageCount(); ++i)
            if (Form().Page(i).editor && (GetWindowLongW(Form().Page(i).editor, GWL_STYLE) & WS_VISIBLE)) {
                ++shown;
                EXPECT_EQ(i, Form().TabIndex()) << "only the current page's editor is shown";
            }
        EXPECT_EQ(shown, 1);
    }
    void Type(const wchar_t* text) {
        SendMessageW(Form().Editor(Form().TabIndex()), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    std::wstring CurrentText() { return editor::GetText(Form().Editor(Form().TabIndex())); }

    NameAnswers names;
    RecycleBinStandIn bin;
};

}  // namespace

TEST_F(PageOperations, NewPageProposesTheFirstFreeNumberInTheInterfaceLanguage) {
    Start({L"New page1", L"New page3"});
    Form().NewPage1Click();  // cancelled
    ASSERT_EQ(names.asked.size(), 1u);
    EXPECT_EQ(names.asked[0].first, L"New name");
    EXPECT_EQ(names.asked[0].second, L"New page2");
    EXPECT_EQ(PageNames(), (Names{L"New page1", L"New page3"})) << "a cancel makes nothing";
    EXPECT_TRUE(Form().KeysEnabled()) << "the shortcuts and the double click work again after a cancel";

    Form().RussianLangMenuItemClick();
    Form().NewPage1Click();
    EXPECT_EQ(names.asked[1].first, L"Новое название");
    EXPECT_EQ(names.asked[1].second, L"Новая1");
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(PageOperations, NewPageMakesTabEditorFileAndEntryAndBecomesCurrent) {
    Start(kFourPages);
    Type(L"left as it was ");
    names.answers = {L"Fifth"};
    Form().NewPage1Click();
    ExpectInStep({L"One", L"Two", L"Three", L"Four", L"Fifth"});
    EXPECT_EQ(Form().TabIndex(), 4);
    EXPECT_TRUE(test::Exists(f.PageFile(L"Fifth")));
    EXPECT_EQ(CurrentText(), L"");
    EXPECT_EQ(Form().Ini().ReadString(L"Pages", L"Fifth"), L"16777215*MS Sans Serif*0*10*0*0*1*");
    EXPECT_NE(test::ReadBytes(f.PageFile(L"One")).find("left as it was"), std::string::npos)
        << "the page left is written, or a crash now would lose it";
    EXPECT_EQ(Form().Pages().Previous(), 0);
    EXPECT_TRUE(log.texts.empty());
}

// A settings file of an old version is in the ANSI code page: a name it cannot hold would come
// back as question marks and lose its page. One the program made itself is UTF-16 and holds any.
TEST_F(PageOperations, NamesTheSettingsFileCannotHoldAreRefused) {
    Start(kFourPages);
    names.answers = {L"Пятая", L"Fifth"};
    Form().NewPage1Click();
    EXPECT_EQ(log.texts, Names{L"The characters of this name cannot be kept in tavrik.ini, which is stored in an older encoding."});
    EXPECT_EQ(PageNames().back(), L"Fifth");
    f.Close();
    DeleteFileW(f.Ini().c_str());
    log.texts.clear();

    ASSERT_TRUE(f.Start());
    Form().SwitchToPage(0);
    names.answers = {L"Пятая"};
    Form().NewPage1Click();
    EXPECT_TRUE(log.texts.empty());
    ExpectInStep({L"Tavrikdesk", L"Пятая"});
}

TEST_F(PageOperations, RefusedNamesBringTheDialogBackWithTheTextAsTyped) {
    Start(kFourPages);
    names.answers = {L"notes.old", L"CON", L" padded", L"a=b", L"", L"fine"};
    Form().NewPage1Click();
    ASSERT_EQ(names.asked.size(), 6u);
    EXPECT_EQ(names.asked[1].second, L"notes.old");
    EXPECT_EQ(names.asked[2].second, L"CON");
    EXPECT_EQ(names.asked[5].second, L"");
    ASSERT_EQ(log.texts.size(), 5u);
    EXPECT_EQ(log.texts[0], L"Illegal character !!!");
    EXPECT_NE(log.texts[1].find(L"device"), std::wstring::npos);
    EXPECT_NE(log.texts[2].find(L"blank"), std::wstring::npos);
    EXPECT_EQ(log.texts[2], log.texts[3]);
    EXPECT_EQ(log.texts[4], L"A page needs a name.");
    EXPECT_EQ(PageNames().back(), L"fine");
}

TEST_F(PageOperations, NewPageOfATakenNameMakesNothing) {
    Start(kFourPages);
    test::WriteBytes(f.PageFile(L"Stray"), "not a page, but somebody's");
    log.answer = IDNO;  // a file no page lists is offered as the page first; declined, it is refused as before
    for (const wchar_t* name : {L"Two", L"tWO", L"Stray"}) {
        names.answers = {name};
        Form().NewPage1Click();
    }
    ASSERT_EQ(log.texts.size(), 4u);
    EXPECT_NE(log.texts[2].find(L"\"Stray.tvk\""), std::wstring::npos) << log.texts[2];
    log.texts.erase(log.texts.begin() + 2);
    EXPECT_EQ(log.texts, (Names{L"This name already exists !", L"This name already exists !",
                                L"This name already exists !"}));
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"Stray")), "not a page, but somebody's");
}

TEST_F(PageOperations, NewPageWhoseFileCannotBeMadeIsUndoneWhole) {
    Start(kFourPages);
    Form().params.SaveTo = app::ToU16(f.folder.Path() + L"gone\\");
    names.answers = {L"Nowhere"};
    Form().NewPage1Click();
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Cannot create file"), std::wstring::npos);
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
    EXPECT_EQ(Form().TabIndex(), 0);
}

TEST_F(PageOperations, RenameMovesTabFileAndEntryTogether) {
    Start(kFourPages);
    Form().SwitchToPage(1);
    Type(L"typed before the rename ");
    names.answers = {L"Second"};
    Form().RenamePageMenuClick();
    EXPECT_EQ(names.asked[0].second, L"Two");
    EXPECT_EQ(PageNames(), (Names{L"One", L"Second", L"Three", L"Four"}));
    EXPECT_EQ(TabCaptions(), PageNames());
    EXPECT_EQ(ListedPages(), (Names{L"One", L"Three", L"Four", L"Second"})) << "the list is put in order later";
    EXPECT_FALSE(test::Exists(f.PageFile(L"Two")));
    EXPECT_EQ(CurrentText(), L"typed before the rename Page Two");
    EXPECT_NE(test::ReadBytes(f.PageFile(L"Second")).find("typed before the rename"), std::string::npos);
    EXPECT_EQ(Form().CurrentPageName(), L"Second");

    names.answers = {L"second"};  // only the letter case: the same file, so allowed
    Form().RenamePageMenuClick();
    EXPECT_EQ(Form().PageName(1), L"second");
    EXPECT_TRUE(log.texts.empty());
}

// Each refusal brings the dialog back with the name as typed, until a cancel, which changes nothing.
TEST_F(PageOperations, RefusedRenamesComeBackAsTypedAndCancelChangesNothing) {
    Start(kFourPages);
    Form().SwitchToPage(1);
    test::WriteBytes(f.PageFile(L"Taken"), "a file of that name");
    names.answers = {L"Two"};
    Form().RenamePageMenuClick();
    EXPECT_TRUE(log.texts.empty()) << "the unchanged name says nothing";
    names.answers = {L"three", L"Taken", L"x.y", std::nullopt};
    Form().RenamePageMenuClick();
    ASSERT_EQ(log.texts.size(), 3u);
    EXPECT_EQ(log.texts[0], L"Page with this name already exists !");
    EXPECT_EQ(log.captions[0], L"Page rename");
    EXPECT_EQ(log.texts[1], L"Cannot change the filename !");
    EXPECT_EQ(log.texts[2], L"Illegal character !!!");
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
    EXPECT_TRUE(test::Exists(f.PageFile(L"Two")));
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"Taken")), "a file of that name");
    Names offered;
    for (const auto& [caption, text] : names.asked) offered.push_back(text);
    EXPECT_EQ(offered, (Names{L"Two", L"Two", L"three", L"Taken", L"x.y"}));
}

// The dialog itself: what was typed is in it again after the refusal, its buttons in Russian.
TEST_F(PageOperations, RefusedRenameBringsTheDialogBackHoldingWhatWasTyped) {
    Start(kFourPages);
    Form().RussianLangMenuItemClick();
    app::SetDialogHooks({});
    Names shown;  // caption, name, buttons of the dialog that came back
    {
        const test::DialogDriver drive([&](HWND dialog) {
            SetWindowTextW(FindWindowExW(dialog, nullptr, L"Edit", nullptr), L"Один.два");
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            test::DialogDriver::Then([&](HWND again) {
                for (HWND part : {again, FindWindowExW(again, nullptr, L"Edit", nullptr), GetDlgItem(again, IDOK),
                                  GetDlgItem(again, IDCANCEL)})
                    shown.push_back(app::WindowText(part));
                PostMessageW(again, WM_COMMAND, IDCANCEL, 0);
            });
        });
        Form().RenamePageMenuClick();
    }
    EXPECT_EQ(log.texts, Names{L"Недопустимый символ !!!"});
    EXPECT_EQ(shown, (Names{L"Новое название", L"Один.два", L"OK", L"Отмена"}));
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
}

TEST_F(PageOperations, RenameInRussianSaysSoInRussian) {
    Start(kFourPages);
    Form().RussianLangMenuItemClick();
    names.answers = {L"Four"};
    Form().RenamePageMenuClick();
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], L"Страница с таким названием\rуже есть !");
    EXPECT_EQ(log.captions[0], L"Переименование страницы");
}

TEST_F(PageOperations, DeleteTakesThePageOutThenItsFile) {
    struct Case {
        int deleted;
        Names left;
        std::wstring current;
    };
    for (const Case& c : {Case{0, {L"Two", L"Three"}, L"Two"}, Case{1, {L"One", L"Three"}, L"Three"},
                          Case{2, {L"One", L"Two"}, L"One"}}) {
        SCOPED_TRACE(c.deleted);
        Start({L"One", L"Two", L"Three"});
        Form().SwitchToPage(c.deleted);
        const std::wstring name = Form().PageName(c.deleted);
        log.answer = IDYES;
        Form().DeletePageMenuClick();
        ASSERT_EQ(log.texts.size(), 1u);
        EXPECT_EQ(log.texts[0], L"Are you sure you want delete page '" + name + L"' ?\rIt goes to the Recycle Bin.");
        EXPECT_EQ(log.captions[0], L"Page delete");
        EXPECT_EQ(log.flags[0] & MB_ICONQUESTION, static_cast<UINT>(MB_ICONQUESTION));
        ExpectInStep(c.left);
        EXPECT_EQ(Form().CurrentPageName(), c.current);
        EXPECT_FALSE(test::Exists(f.PageFile(name)));
        log.texts.clear();
        log.captions.clear();
        log.flags.clear();
        f.Close();
    }
}

// Where the drive has no bin the question says the page is lost, and its yes deletes the file outright:
// no second question, and the versions stay, the only way back to it.
TEST_F(PageOperations, DeleteOnADriveWithoutABinSaysItIsLostAndKeepsTheVersions) {
    Start(kFourPages);
    const std::wstring version = f.folder.Path() + L"~versions\\One\\2026-12-09 14-03-27.123.tvk";
    CreateDirectoryW((f.folder.Path() + L"~versions").c_str(), nullptr);
    CreateDirectoryW((f.folder.Path() + L"~versions\\One").c_str(), nullptr);
    test::WriteBytes(version, "Page One before");
    bin.hasBin = false;
    log.answer = IDYES;
    Form().DeletePageMenuClick();
    EXPECT_EQ(log.texts, Names{L"Are you sure you want delete page 'One' ?\rAll information will be lost !"});
    ExpectInStep({L"Two", L"Three", L"Four"});
    EXPECT_FALSE(test::Exists(f.PageFile(L"One")));
    EXPECT_TRUE(bin.offered.empty());
    EXPECT_EQ(test::ReadBytes(version), "Page One before");
}

TEST_F(PageOperations, DeleteAskedAndRefused) {
    Start({L"Only"});
    Form().DeletePageMenuClick();
    EXPECT_EQ(log.texts, Names{L"Not allowed to delete the LAST page !"});
    EXPECT_EQ(log.captions, Names{L"Page delete"});
    f.Close();

    Start(kFourPages);
    log.texts.clear();
    log.answer = IDNO;
    Form().DeletePageMenuClick();
    EXPECT_EQ(log.texts.size(), 1u);
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
    EXPECT_TRUE(test::Exists(f.PageFile(L"One")));
}

TEST_F(PageOperations, DeleteOfAPageWhoseFileIsGoneStillDeletes) {
    Start(kFourPages);
    Form().SwitchToPage(3);
    DeleteFileW(f.PageFile(L"Four").c_str());
    Form().params.SaveTo = app::ToU16(f.folder.Path() + L"gone\\");  // the save on the way out fails too
    log.answer = IDYES;
    Form().DeletePageMenuClick();
    Form().params.SaveTo = app::ToU16(f.folder.Path());
    ExpectInStep({L"One", L"Two", L"Three"});
    EXPECT_EQ(Form().TabIndex(), 0);
}

TEST_F(PageOperations, DeletedPageGoesToTheRecycleBinWithItsVersions) {
    const std::wstring name = L"Bin " + test::UniqueName();  // free in a trash other runs share
    Start({L"One", name});
    const std::wstring versions = f.folder.Path() + L"~versions\\" + name + L"\\";
    CreateDirectoryW((f.folder.Path() + L"~versions").c_str(), nullptr);
    CreateDirectoryW(versions.c_str(), nullptr);
    test::WriteBytes(versions + L"2026-12-09 14-03-27.123.tvk", "before");
    Form().SwitchToPage(1);
    pages::SetRecycleBinHook({});  // the shell's own
    log.answer = IDYES;
    Form().DeletePageMenuClick();
    ExpectInStep({L"One"});
    EXPECT_EQ(log.texts.size(), 1u) << "the question only: none of the shell's windows";
    EXPECT_FALSE(test::Exists(f.PageFile(name)));
    EXPECT_FALSE(test::Exists(versions));

    const std::wstring trash = WineTrashFiles() + name;
    if (trash == name || !test::Exists(trash + L".tvk"))
        GTEST_SKIP() << "no trash in ~/.local/share, Wine's place unless XDG_DATA_HOME says otherwise";
    EXPECT_NE(test::ReadBytes(trash + L".tvk").find("Page Bin"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(trash + L"\\2026-12-09 14-03-27.123.tvk"), "before");
    DeleteFileW((trash + L".tvk").c_str());
    test::RemoveTree(trash + L"\\");
    const std::wstring info = WineTrashFiles() + L"..\\info\\" + name;
    DeleteFileW((info + L".tvk.trashinfo").c_str());
    DeleteFileW((info + L".trashinfo").c_str());
}

// The bin refuses (a drive without one, a file too big for it): the file goes only on a second
// yes that says it cannot come back, and its versions stay, the only way back to it.
TEST_F(PageOperations, PageTheBinRefusesIsDeletedForGoodOnlyOnASecondYes) {
    Start(kFourPages);
    const std::wstring version = f.folder.Path() + L"~versions\\One\\2026-12-09 14-03-27.123.tvk";
    CreateDirectoryW((f.folder.Path() + L"~versions").c_str(), nullptr);
    CreateDirectoryW((f.folder.Path() + L"~versions\\One").c_str(), nullptr);
    test::WriteBytes(version, "Page One before");
    bin.refuse = true;
    log.answer = IDYES;
    log.whileOpen = [this] { log.answer = log.texts.size() == 1 ? IDYES : IDNO; };
    Form().DeletePageMenuClick();
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_NE(log.texts[1].find(L"Recycle Bin cannot take the page \"One\""), std::wstring::npos);
    EXPECT_EQ(log.flags[1] & (MB_YESNO | MB_DEFBUTTON2), static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2));
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
    EXPECT_EQ(Form().TabIndex(), 0) << "the kept page is shown again";
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"One")), "Page One");

    Form().params.Language = 1;
    log.texts.clear();
    log.whileOpen = nullptr;
    log.answer = IDYES;
    Form().DeletePageMenuClick();
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_EQ(log.texts[1].find(L"\u041A\u043E\u0440\u0437\u0438\u043D\u0430"), 0u);  // Корзина
    ExpectInStep({L"Two", L"Three", L"Four"});
    EXPECT_EQ(bin.offered, (Names{f.PageFile(L"One"), f.PageFile(L"One")}));
    EXPECT_FALSE(test::Exists(f.PageFile(L"One")));
    EXPECT_EQ(test::ReadBytes(version), "Page One before");
}

namespace {

POINT TabCentre(HWND tab, int index) {
    RECT rc{};
    TabCtrl_GetItemRect(tab, index, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// A press on one tab, a move past the drag threshold and a release over another, as the strip
// receives them.
void DragTab(HWND tab, int from, int to) {
    const POINT start = TabCentre(tab, from);
    const POINT end = TabCentre(tab, to);
    SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    SendMessageW(tab, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 20, start.y));
    SendMessageW(tab, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
    SendMessageW(tab, WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
}

}  // namespace

TEST_F(PageOperations, DraggingATabReordersPagesAndTheList) {
    Start(kFourPages);
    Form().ShowMenuClick();
    Type(L"moved with its page ");
    DragTab(Form().TabControl(), 0, 2);
    ExpectInStep({L"Two", L"Three", L"One", L"Four"});
    EXPECT_EQ(Form().TabIndex(), 2);
    EXPECT_EQ(CurrentText(), L"moved with its page Page One");
    EXPECT_EQ(Form().Ini().ReadInteger(L"Parameters", L"StartPage", -1), 2);
    EXPECT_NE(test::ReadBytes(f.PageFile(L"One")).find("moved with its page"), std::string::npos);

    DragTab(Form().TabControl(), 2, 0);  // and back, towards the left
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
    EXPECT_EQ(Form().Ini().ReadInteger(L"Parameters", L"StartPage", -1), 0);
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(PageOperations, DropOnItselfOnlyRewritesTheList) {
    Start(kFourPages);
    Form().ShowMenuClick();
    Form().SwitchToPage(1);
    Form().Ini().EraseSection(L"Pages");
    Form().TabControl1EndDrag(TabCentre(Form().TabControl(), 1));
    ExpectInStep({L"One", L"Two", L"Three", L"Four"});
    EXPECT_EQ(Form().Ini().ReadInteger(L"Parameters", L"StartPage", -1), 1);

    Form().Ini().EraseSection(L"Pages");
    Form().TabControl1EndDrag({-50, -50});  // nowhere near a tab: nothing at all
    EXPECT_TRUE(ListedPages().empty());
}

TEST_F(PageOperations, RightClickOnATabMakesItCurrentAfterSavingThePageLeft) {
    Start(kFourPages);
    Form().ShowMenuClick();
    Type(L"saved on the way ");
    const POINT third = TabCentre(Form().TabControl(), 2);
    SendMessageW(Form().TabControl(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(third.x, third.y));
    EXPECT_EQ(Form().TabIndex(), 2);
    EXPECT_EQ(Form().CurrentPageName(), L"Three");
    EXPECT_NE(test::ReadBytes(f.PageFile(L"One")).find("saved on the way"), std::string::npos);
}

TEST_F(PageOperations, DoubleClickOnATabRenamesWhileTheKeysAreOn) {
    Start(kFourPages);
    Form().ShowMenuClick();
    EXPECT_TRUE(Form().KeysEnabled());
    const HWND tab = Form().TabControl();
    POINT over = TabCentre(tab, 0);
    ClientToScreen(tab, &over);
    SetCursorPos(over.x, over.y);
    MSG click{tab, WM_LBUTTONDBLCLK, MK_LBUTTON, 0, 0, over};
    EXPECT_TRUE(Form().PreTranslate(click)) << "the double click is used up";
    ASSERT_EQ(names.asked.size(), 1u);
    EXPECT_EQ(names.asked[0].second, L"One");
    EXPECT_TRUE(Form().KeysEnabled()) << "on again after the dialog";

    RECT strip{};
    GetClientRect(tab, &strip);
    POINT empty{strip.right - 5, strip.bottom - 5};  // below the tabs, over the editor
    ClientToScreen(tab, &empty);
    SetCursorPos(empty.x, empty.y);
    click.pt = empty;
    EXPECT_FALSE(Form().PreTranslate(click));
    Form().DisableKeys();
    SetCursorPos(over.x, over.y);
    EXPECT_FALSE(Form().PreTranslate(click));
    EXPECT_EQ(names.asked.size(), 1u);
}

TEST_F(PageOperations, NextAndPreviousGoRoundTheRing) {
    Start(kFourPages);
    Form().PrevPageButtonClick();
    EXPECT_EQ(Form().TabIndex(), 3);
    Form().NextPageButtonClick();
    EXPECT_EQ(Form().TabIndex(), 0);
    f.Close();
    Start({L"Only"});
    Form().NextPageButtonClick();
    Form().PrevPageButtonClick();
    EXPECT_EQ(Form().TabIndex(), 0);
}
