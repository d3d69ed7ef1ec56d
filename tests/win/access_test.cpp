// What a screen reader reads of the window's parts, asked as a reader asks: the toolbars' buttons,
// the chevron, the font boxes, the tabs and the lists of three dialogs, in both languages, and the
// word it gets when the page changes.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <commctrl.h>

#include <cstring>

#include "app/text.h"
#include "dialog_driver.h"
#include "search/find_all_form.h"
#include "search/go_to_page_dialog.h"
#include "test_folder.h"
#include "ui/commands.h"
#include "ui/language_tables.h"
#include "ui/toolbar_layout.h"

using namespace tavrik;

namespace {

struct Read {
    std::wstring name;
    long role = 0;
    long state = 0;
};

std::wstring TakeText(BSTR text) {
    std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return taken;
}

Read ReadOf(IAccessible* acc, long child) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    Read read;
    BSTR name = nullptr;
    if (SUCCEEDED(acc->get_accName(id, &name))) read.name = TakeText(name);
    VARIANT value{};
    if (SUCCEEDED(acc->get_accRole(id, &value)) && value.vt == VT_I4) read.role = value.lVal;
    VariantClear(&value);
    if (SUCCEEDED(acc->get_accState(id, &value)) && value.vt == VT_I4) read.state = value.lVal;
    VariantClear(&value);
    return read;
}

// A window's client object as a reader gets it, released at the end.
class Client {
public:
    explicit Client(HWND hwnd) {
        (void)AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&acc_));
    }
    ~Client() {
        if (acc_) acc_->Release();
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    IAccessible* Get() const { return acc_; }
    Read Self() const { return acc_ ? ReadOf(acc_, CHILDID_SELF) : Read{}; }
    // The children a reader walks: simple ones through their ids, child windows as objects of their own.
    std::vector<Read> Children() const {
        std::vector<Read> children;
        long count = 0;
        if (!acc_ || FAILED(acc_->get_accChildCount(&count))) return children;
        for (long i = 1; i <= count; ++i) {
            VARIANT id{};
            id.vt = VT_I4;
            id.lVal = i;
            IDispatch* object = nullptr;
            IAccessible* child = nullptr;
            if (acc_->get_accChild(id, &object) == S_OK && object &&
                SUCCEEDED(object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&child)))) {
                children.push_back(ReadOf(child, CHILDID_SELF));
                child->Release();
            } else {
                children.push_back(ReadOf(acc_, i));
            }
            if (object) object->Release();
        }
        return children;
    }

private:
    IAccessible* acc_ = nullptr;
};

std::vector<HWND> BarsOn(HWND dock) {
    std::vector<HWND> bars;
    const int count = static_cast<int>(SendMessageW(dock, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW band{};
        band.cbSize = REBARBANDINFOW_V6_SIZE;
        band.fMask = RBBIM_CHILD;
        SendMessageW(dock, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&band));
        bars.push_back(band.hwndChild);
    }
    return bars;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[64] = {};
    GetWindowTextW(hwnd, text, 64);
    return text;
}

class Access : public test::FormTest {
protected:
    struct Com {
        Com() { (void)CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
        ~Com() { CoUninitialize(); }
    };

    // Three pages; a window too narrow for the standard bar, whose chevron then shows.
    void Start(int language) {
        test::IniBuilder ini;
        ini.Parameter("Language", language).Parameter("AutoSave", 0).Parameter("StartPage", 0);
        ini.Parameters("MainLeft=0\r\nMainTop=0\r\nMainWidth=200\r\nMainHeight=400");
        for (const char* name : {"Notes", "Shopping", "Ideas"}) {
            test::WriteBytes(f.PageFile(std::wstring(name, name + strlen(name))), name);
            ini.Page(name);
        }
        StartForm(ini);
        ShowWindow(Window(), SW_SHOWNA);
        (void)Form().TabControl();
        Form().SwitchToPage(0);
    }
    ui::Language Language() const { return Form().InterfaceLanguage(); }
    std::wstring Hint(ui::Cmd cmd) const {
        const ui::Action* action = ui::FindAction(cmd);
        return action ? app::ToWide(ui::FindHint(action->name, Language()).value_or(u"")) : std::wstring();
    }

    Com com;
};

TEST_F(Access, EveryButtonChevronFontBoxAndTabReadsItsNameAndRoleInBothLanguages) {
    Start(0);
    for (const ui::Language language : {ui::Language::English, ui::Language::Russian}) {
        if (language == ui::Language::Russian) Form().RussianLangMenuItemClick();
        SCOPED_TRACE(language == ui::Language::Russian ? "Russian" : "English");
        // Anchors taken from outside the program's tables.
        const std::wstring copy = language == ui::Language::Russian ? L"Скопировать (Ctrl+C)" : L"Copy (Ctrl+C)";
        const std::wstring fontName = language == ui::Language::Russian ? L"Шрифт" : L"Font";
        const std::wstring fontSize = language == ui::Language::Russian ? L"Размер шрифта" : L"Font size";
        bool copySeen = false;
        int barsSeen = 0;
        for (const std::u16string_view dockName : {ui::kDockFormat, ui::kDockBottom, ui::kDockLeft, ui::kDockRight}) {
            const HWND dock = Form().Toolbars().DockWindow(dockName);
            for (const HWND bar : BarsOn(dock)) {
                const ui::ToolbarDef* def = nullptr;
                for (const ui::ToolbarDef& d : ui::Toolbars())
                    if (app::ToWide(d.name) == WindowText(bar)) def = &d;
                ASSERT_NE(def, nullptr) << "a bar of no table";
                ++barsSeen;
                const Client client(bar);
                ASSERT_NE(client.Get(), nullptr) << "no object for the bar";
                EXPECT_EQ(client.Self().role, ROLE_SYSTEM_TOOLBAR);
                EXPECT_FALSE(client.Self().name.empty());
                EXPECT_NE(client.Self().name, WindowText(bar)) << "the settings section is no name for readers";
                const std::vector<Read> children = client.Children();
                size_t at = 0;
                for (const ui::ToolbarButton& button : def->buttons) {
                    if (button.cmd == ui::Cmd::None) continue;
                    ASSERT_LT(at, children.size());
                    EXPECT_EQ(children[at].name, Hint(button.cmd)) << at;
                    EXPECT_EQ(children[at].role, ROLE_SYSTEM_PUSHBUTTON) << at;
                    copySeen = copySeen || children[at].name == copy;
                    ++at;
                }
                // After the buttons, the boxes standing on the formatting bar, as windows of their own.
                EXPECT_EQ(children.size() - at, def->name == u"FormatToolbar" ? 2u : 0u);
            }
            // The dock's own parts are its chevrons: one on the standard bar, short of room.
            if (dockName == ui::kDockBottom) {
                const std::vector<Read> parts = Client(dock).Children();
                ASSERT_FALSE(parts.empty());
                EXPECT_EQ(parts[0].name, L"Остальные кнопки") << "the same in both languages, as its tooltip";
                EXPECT_EQ(parts[0].role, ROLE_SYSTEM_PUSHBUTTON);
            }
        }
        EXPECT_EQ(barsSeen, static_cast<int>(ui::Toolbars().size()));
        EXPECT_TRUE(copySeen);
        for (const auto& [box, name] : {std::pair{Form().Toolbars().FontBox(), fontName},
                                        std::pair{Form().Toolbars().SizeBox(), fontSize}}) {
            const Read read = Client(box).Self();
            EXPECT_EQ(read.name, name);
            EXPECT_EQ(read.role, ROLE_SYSTEM_COMBOBOX);
        }
        const Client tabs(Form().TabControl());
        EXPECT_EQ(tabs.Self().name, language == ui::Language::Russian ? L"Страницы" : L"Pages");
        const std::vector<Read> children = tabs.Children();
        ASSERT_GE(children.size(), 3u);
        const wchar_t* names[] = {L"Notes", L"Shopping", L"Ideas"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(children[i].name, names[i]);
            EXPECT_EQ(children[i].role, ROLE_SYSTEM_PAGETAB);
            EXPECT_EQ((children[i].state & STATE_SYSTEM_SELECTED) != 0, i == 0) << i;
        }
    }
}

// Each dialog's one list is named by the dialog's caption.
TEST_F(Access, TheListsOfFindAllGoToPageAndVersionsAreNamedByTheirDialogs) {
    Start(1);
    const auto listOf = [](HWND dialog) {
        for (const wchar_t* cls : {WC_LISTVIEWW, L"ListBox"})
            if (const HWND list = FindWindowExW(dialog, nullptr, cls, nullptr)) return list;
        return HWND{};
    };
    Form().FindAllMenuClick();
    ASSERT_TRUE(Form().FindAll() && Form().FindAll()->Open());
    const Read findAll = Client(listOf(Form().FindAll()->Handle())).Self();
    EXPECT_EQ(findAll.name, L"Поиск по всем страницам");
    EXPECT_EQ(findAll.role, ROLE_SYSTEM_LIST);
    ShowWindow(Form().FindAll()->Handle(), SW_HIDE);

    struct Case {
        void (app::TTavrikForm::*open)();
        const wchar_t* caption;
    };
    const Case cases[] = {
        {&app::TTavrikForm::GoToPageMenuClick, L"Переход к странице"},
        {&app::TTavrikForm::VersionsMenuClick, L"Версии"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(app::ToU16(c.caption).size());
        Read read;
        const test::DialogDriver drive([&](HWND dialog) {
            read = Client(listOf(dialog)).Self();
            EndDialog(dialog, IDCANCEL);
        });
        (Form().*c.open)();
        ASSERT_TRUE(drive.Came()) << "no dialog";
        EXPECT_EQ(read.name, c.caption);
        EXPECT_EQ(read.role, ROLE_SYSTEM_LIST);
    }
}

// What the events a reader hooks said, in order.
struct Heard {
    DWORD event;
    HWND hwnd;
    LONG object, child;
};
std::vector<Heard> g_heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    g_heard.push_back({event, hwnd, object, child});
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST_F(Access, ASwitchOrRenameOfPageTellsReadersWhichTabChanged) {
    Start(0);
    g_heard.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SELECTION, EVENT_OBJECT_NAMECHANGE, nullptr, Hear,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const HWND tabs = Form().TabControl();
    const auto heardOf = [&](DWORD event) {
        PumpMessages();
        std::vector<LONG> children;
        for (const Heard& heard : g_heard)
            if (heard.event == event && heard.hwnd == tabs && heard.object == OBJID_CLIENT)
                children.push_back(heard.child);
        g_heard.clear();
        return children;
    };
    const auto selectionsHeard = [&] { return heardOf(EVENT_OBJECT_SELECTION); };
    (void)selectionsHeard();
    Form().SwitchToPage(2);  // as Go to page and the commands do
    EXPECT_EQ(selectionsHeard(), std::vector<LONG>{3});
    // A reader's press on a tab: the strip selects it as a click does, and the window follows.
    const Client client(tabs);
    VARIANT second{};
    second.vt = VT_I4;
    second.lVal = 2;
    ASSERT_EQ(client.Get()->accDoDefaultAction(second), S_OK);
    PumpMessages();
    EXPECT_EQ(Form().TabIndex(), 1);
    EXPECT_EQ(selectionsHeard(), std::vector<LONG>{2});
    EXPECT_EQ(ReadOf(client.Get(), 2).name, L"Shopping");
    ASSERT_TRUE(Form().PageRename(L"Groceries"));
    EXPECT_EQ(heardOf(EVENT_OBJECT_NAMECHANGE), std::vector<LONG>{2});
    EXPECT_EQ(ReadOf(client.Get(), 2).name, L"Groceries");
    UnhookWinEvent(hook);
}

}  // namespace
