// Calling the window up and sending it away: from the hot key to a window in front with its page's
// editor focused, the fades step by step, and the hide with the save of a page of about 100 KB
// besides the fade. Show and hide are rated against the floor measured in the same run: a bare
// window with one rich edit holding the same page, shown and hidden the same way (opaque or
// translucent), its hide with the control's own stream-out into a file.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "bench_run.h"
#include "scratch_files.h"
#include "series.h"
#include "window/fade.h"

namespace {

using tavrik::app::TTavrikForm;
using tavrik::test::Series;

constexpr size_t kPageBytes = size_t{100} * 1024;
constexpr int kRuns = 15;
constexpr int kLongFadeRuns = 7;  // a run with fades of 53 steps takes seconds under Wine
// Medians against the floor's. The program's window has its bars and docks to draw, and its hide
// writes the page through a flushed temporary file where the floor only streams out.
constexpr double kShowTarget = 1.3;
constexpr double kHideTarget = 1.5;
constexpr double kHideUnchangedTarget = 1.1;  // a page as its file holds it costs a hide nothing
constexpr double kPatienceMs = 5000;  // a state not reached by then is a failure, not a figure
// Between steps, for the X server to finish drawing the last one: under Wine a repaint right behind
// another waits for it, and would be timed at twice its cost.
constexpr double kSettleMs = 50;

// The settings each group of figures is taken with; 0 keeps the default of a number.
struct Setup {
    const char* label;
    bool noTransparency;
    bool showCool;
    int maxTransparency;
    int fadeSpeed;
    int runs;
    // A fading show, hot key to typable, and a fading hide, hot key to hidden and saved: at most
    // this many times the floor's show and its hide. A fade may not hold the keyboard for long.
    double fadeTarget;
    bool Fades() const { return showCool && !noTransparency; }
};

constexpr Setup kSetups[] = {
    {"NoTransparency=1", true, true, 0, 0, kRuns, 0},
    {"NoTransparency=0, ShowCool=0", false, false, 0, 0, kRuns, 0},
    {"ShowCool=1, MaxTransparency and FadeSpeed as default", false, true, 0, 0, kLongFadeRuns, 12},
    {"ShowCool=1, MaxTransparency=255, FadeSpeed=99", false, true, 255, 99, kRuns, 4},
};

// A window of a size people give it, with a good part of the page in view: at the default size
// the bars leave the page no room, and its painting would go unmeasured.
std::string Parameters(const Setup& setup) {
    std::string ini = "[Parameters]\r\nLanguage=0\r\n"
                      "MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n";
    ini += setup.noTransparency ? "NoTransparency=1\r\n" : "NoTransparency=0\r\n";
    ini += setup.showCool ? "ShowCool=1\r\n" : "ShowCool=0\r\n";
    if (setup.maxTransparency) ini += "MaxTransparency=" + std::to_string(setup.maxTransparency) + "\r\n";
    if (setup.fadeSpeed) ini += "FadeSpeed=" + std::to_string(setup.fadeSpeed) + "\r\n";
    return ini;
}

using tavrik::test::ClearScratch;
using tavrik::test::Fail;
using tavrik::test::g_folder;
using tavrik::test::g_keyRoot;
using tavrik::test::NowMs;
using tavrik::test::TimeMs;
using tavrik::test::ReadBytes;
using tavrik::test::TextLength;
using tavrik::test::Worst;
using tavrik::test::WriteToHandle;

Series Per(const Series& whole, size_t steps) {
    Series each;
    for (const double value : whole.values) each.values.push_back(value / static_cast<double>(steps));
    return each;
}

// One message as the program's own loop handles it. The WM_QUIT of a form destroyed earlier is
// dropped: there is no loop here to end.
bool PumpOne(TTavrikForm& form) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT || form.PreTranslate(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

// Until the queue is empty, painting included.
void Pump(TTavrikForm& form) {
    while (PumpOne(form)) {
    }
}

void Settle(TTavrikForm& form) {
    const double until = NowMs() + kSettleMs;
    while (NowMs() < until) {
        Pump(form);
        Sleep(5);
    }
}

// Handles what arrives, as the loop would, until the state is reached; the time from `start`.
double Until(TTavrikForm& form, double start, const std::function<bool()>& reached, const char* failure) {
    while (!reached()) {
        if (NowMs() - start > kPatienceMs) Fail(failure);
        PumpOne(form);
    }
    return NowMs() - start;
}

// What the user waits for: the window up, in front, the page ready for typing, the show over.
bool IsUp(TTavrikForm& form, HWND editor) {
    return form.WindowShown && IsWindowVisible(form.Handle()) && GetForegroundWindow() == form.Handle() &&
           GetFocus() == editor;
}

bool IsDown(TTavrikForm& form) { return !form.WindowShown && !IsWindowVisible(form.Handle()); }

// When the form last heard it is being hidden: a fading hide has finished its fade by then, so
// the time after it is the hide and the save alone.
double g_hiddenAt = 0;
WNDPROC g_formProc = nullptr;

LRESULT CALLBACK MarkHide(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SHOWWINDOW && !wp) g_hiddenAt = NowMs();
    return CallWindowProcW(g_formProc, hwnd, msg, wp, lp);
}

// A page of notes as people keep them: a bold heading now and then, lines of plans and errands,
// here an italic word, there a Russian one in code page 1251 as the font table says. No word holds
// an "x", so the keys the benchmark types can be counted in the saved file.
std::string NotesPage(size_t bytes) {
    static const char* const kWords[] = {
        "call", "the", "bank", "about", "card", "buy", "bread", "milk", "and", "coffee", "send", "letter",
        "to", "landlord", "meeting", "on", "Monday", "at", "ten", "pick", "up", "parcel", "post", "office",
        "book", "train", "tickets", "for", "June", "ask", "Anna", "report", "draft", "plan", "garden", "seeds",
        "pay", "rent", "check", "oil", "car", "before", "trip", "water", "plants", "return", "library", "write"};
    static const char16_t* const kRussian[] = {u"позвонить", u"купить", u"молоко", u"завтра",
                                               u"письмо",    u"отчёт",  u"встреча"};
    std::minstd_rand random(5);  // the same page on every machine
    const auto next = [&](size_t bound) { return static_cast<size_t>(random() % bound); };
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (int line = 0; rtf.size() + 16 < bytes; ++line) {
        if (line % 20 == 0) {
            rtf += "{\\b Week " + std::to_string(line / 20 + 1) + "}\\par\r\n";
            continue;
        }
        const size_t words = 4 + next(12);
        for (size_t i = 0; i < words; ++i) {
            if (i > 0) rtf += ' ';
            if (next(12) == 0) {
                for (const char16_t* c = kRussian[next(std::size(kRussian))]; *c; ++c) {
                    // а..я are 0xE0..0xFF in code page 1251, ё is 0xB8.
                    const unsigned byte = *c == u'ё' ? 0xB8u : 0xE0u + (*c - u'а');
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\'%02x", byte);
                    rtf += escape;
                }
            } else if (next(16) == 0) {
                rtf += std::string("{\\i ") + kWords[next(std::size(kWords))] + "}";
            } else {
                rtf += kWords[next(std::size(kWords))];
            }
        }
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}

// A key typed at the caret, so that the next save has a change to write.
void Type(HWND editor, int& typed) {
    tavrik::test::TypeKey(editor);
    ++typed;
}

// The control's own part of a save: its rich text out into a new file.
void StreamOutToFile(HWND editor, const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot create a file in the bench folder");
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, WriteToHandle};
    SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
    if (stream.dwError != 0) Fail("the control could not stream its page out");
}

// The page file holds every key typed, side by side where the caret stood: each hide saved.
bool HoldsTypedKeys(const std::wstring& path, int keys) {
    const std::string bytes = ReadBytes(path);
    return bytes.find(std::string(static_cast<size_t>(keys), 'x')) != std::string::npos &&
           bytes.find(std::string(static_cast<size_t>(keys) + 1, 'x')) == std::string::npos;
}

// A hide, whole and split where the window is told it is hidden.
struct HideSeries {
    Series whole, fade, rest;

    void Add(double start, double end) {
        whole.values.push_back(end - start);
        fade.values.push_back(g_hiddenAt - start);
        rest.values.push_back(end - g_hiddenAt);
    }
};

// The three calls of one fade step done by hand, each summed over a whole fade out.
struct StepParts {
    Series style, alpha, repaint;
};

// One repaint of the shown window, as every alpha change asks for, and its parts one by one.
struct RepaintParts {
    Series whole, frame, docks, strip, editor;
};

struct Figures {
    // Hidden to up: visible, in front, the page's editor focused.
    Series showSent, showPosted, showPostedPainted;
    Series showTavrik, showMainWindow;  // the show's two steps called one after the other
    // Up to hidden with the page saved, a key typed before each.
    HideSeries hideSent, hidePosted, formHide;
    HideSeries hideUnchanged;  // nothing typed since the last save: nothing is written
    Series savePage, hideWindow;  // parts of a hide, each timed alone
    Series streamOut;             // the control's EM_STREAMOUT of the page into a file
    // A whole fade as the program runs it on the shown window.
    Series fadeIn, fadeOut;
    Series fadeInSet, fadeOutSet;  // how many of its alphas a fade set within its time
    StepParts stepParts;
    RepaintParts repaint;
    size_t fadeInSteps = 0, fadeOutSteps = 0;
    int maxTransparency = 0, fadeSpeed = 0;
    // The floor: the bare window brought up and sent away, with its page streamed out before the hide.
    Series floorShow, floorHide;
    Series floorHideOnly;  // its hide without the stream-out
};

struct Page {
    size_t fileBytes = 0;
    LONG characters = 0;
    SIZE window{};
    SIZE editor{};  // the part of the page on screen
};

// Sent, the handler runs inside the call; posted, it waits its turn in the loop as a real key does.
double HotKey(TTavrikForm& form, bool post) {
    const double start = NowMs();
    if (post) PostMessageW(form.Handle(), WM_HOTKEY, 0, 0);
    else SendMessageW(form.Handle(), WM_HOTKEY, 0, 0);
    return start;
}

void ShowByHotKey(TTavrikForm& form, HWND editor, bool post, Series& state, Series* painted) {
    const double start = HotKey(form, post);
    state.values.push_back(
        Until(form, start, [&] { return IsUp(form, editor); }, "the hot key did not bring the window up"));
    if (painted) {
        Pump(form);
        painted->values.push_back(NowMs() - start);
    }
}

void HideByHotKey(TTavrikForm& form, bool post, HideSeries& hidden) {
    g_hiddenAt = 0;
    const double start = HotKey(form, post);
    const double took = Until(form, start, [&] { return IsDown(form); }, "the hot key did not hide the window");
    hidden.Add(start, start + took);
}

// A fade out as Transparency does it, each call timed on its own, then the window put back.
void FadeOutByParts(TTavrikForm& form, StepParts& parts) {
    const HWND hwnd = form.Handle();
    double style = 0, alpha = 0, repaint = 0;
    for (const int value : tavrik::window::FadeOutAlphas(form.params.MaxTransparency, form.params.FadeSpeed)) {
        style += TimeMs([&] {
            SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        });
        alpha += TimeMs([&] { SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(value), LWA_ALPHA); });
        repaint += TimeMs(
            [&] { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); });
    }
    parts.style.values.push_back(style);
    parts.alpha.values.push_back(alpha);
    parts.repaint.values.push_back(repaint);
    form.Transparency(hwnd, tavrik::window::ShownAlpha(form.params.MaxTransparency));
}

double Repaint(HWND hwnd, UINT children) {
    return TimeMs([&] { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | children); });
}

// The docks are rebars right under the window; each holds its toolbars.
std::vector<HWND> Docks(HWND window) {
    std::vector<HWND> docks;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32];
        if (GetClassNameW(child, name, 32) && lstrcmpiW(name, REBARCLASSNAMEW) == 0) docks.push_back(child);
    }
    return docks;
}

// The window's own frame and ground, the docks with their toolbars, and the tab strip with the
// page's editor in it, each repainted alone.
void RepaintByParts(TTavrikForm& form, HWND editor, RepaintParts& parts) {
    const HWND hwnd = form.Handle();
    parts.whole.values.push_back(Repaint(hwnd, RDW_ALLCHILDREN));
    parts.frame.values.push_back(Repaint(hwnd, RDW_NOCHILDREN));
    double docksMs = 0;
    for (const HWND dock : Docks(hwnd)) docksMs += Repaint(dock, RDW_ALLCHILDREN);
    parts.docks.values.push_back(docksMs);
    parts.strip.values.push_back(Repaint(form.TabControl(), RDW_ALLCHILDREN));
    parts.editor.values.push_back(Repaint(editor, 0));
}

void Run(TTavrikForm& form, HWND editor, const std::wstring& folder, int& typed, Figures& figures) {
    const HWND hwnd = form.Handle();
    const auto up = [&] { return IsUp(form, editor); };

    ShowByHotKey(form, editor, false, figures.showSent, nullptr);
    Settle(form);
    Type(editor, typed);
    HideByHotKey(form, false, figures.hideSent);
    Settle(form);

    ShowByHotKey(form, editor, true, figures.showPosted, &figures.showPostedPainted);
    Settle(form);
    // Parts of a hide on the shown window, each put back untimed.
    Type(editor, typed);
    figures.savePage.values.push_back(TimeMs([&] {
        if (!form.SavePage(form.TabIndex())) Fail("SavePage failed");
    }));
    figures.streamOut.values.push_back(TimeMs([&] { StreamOutToFile(editor, folder + L"floor.rtf"); }));
    Settle(form);
    RepaintByParts(form, editor, figures.repaint);
    Settle(form);
    figures.hideWindow.values.push_back(TimeMs([&] { ShowWindow(hwnd, SW_HIDE); }));
    Settle(form);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    (void)Until(form, NowMs(), up, "the window did not come back after it was hidden by hand");
    Settle(form);
    if (figures.fadeInSteps > 0) {
        const std::vector<int> out = tavrik::window::FadeOutAlphas(form.params.MaxTransparency, form.params.FadeSpeed);
        const std::vector<int> in = tavrik::window::FadeInAlphas(form.params.MaxTransparency, form.params.FadeSpeed);
        size_t set = 0;
        form.FadeStepSet = [&](int) { ++set; };
        figures.fadeOut.values.push_back(TimeMs([&] { form.Fade(out); }));
        figures.fadeOutSet.values.push_back(static_cast<double>(set));
        Settle(form);
        set = 0;
        figures.fadeIn.values.push_back(TimeMs([&] { form.Fade(in); }));
        figures.fadeInSet.values.push_back(static_cast<double>(set));
        form.FadeStepSet = nullptr;
        Settle(form);
        FadeOutByParts(form, figures.stepParts);
        Settle(form);
    }
    Type(editor, typed);
    HideByHotKey(form, true, figures.hidePosted);
    Settle(form);

    figures.showTavrik.values.push_back(TimeMs([&] { form.ShowTavrik(); }));
    figures.showMainWindow.values.push_back(TimeMs([&] { form.ShowMainWindow(); }));
    (void)Until(form, NowMs(), up, "ShowTavrik and ShowMainWindow did not bring the window up");
    Settle(form);
    Type(editor, typed);
    g_hiddenAt = 0;
    const double start = NowMs();
    form.FormHide();
    figures.formHide.Add(start, NowMs());
    (void)Until(form, NowMs(), [&] { return IsDown(form); }, "FormHide did not hide the window");
    Settle(form);

    Series unused;
    ShowByHotKey(form, editor, false, unused, nullptr);
    Settle(form);
    HideByHotKey(form, false, figures.hideUnchanged);
    Settle(form);
}

// The floor's window: the frame's size, one rich edit of the page editor's style over its client
// area holding the same page, layered at the form's alpha when the form is translucent.
struct BareWindow {
    HWND frame = nullptr, editor = nullptr;

    BareWindow(const Setup& setup, int alpha, const std::string& notes, SIZE size) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"TavrikBenchFloor";
        (void)RegisterClassExW(&wc);  // the second setup finds it registered
        frame = CreateWindowExW(setup.noTransparency ? 0 : WS_EX_LAYERED, wc.lpszClassName, L"Floor",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, size.cx, size.cy, nullptr, nullptr,
                                wc.hInstance, nullptr);
        if (!frame) Fail("cannot create the floor's window");
        if (!setup.noTransparency) SetLayeredWindowAttributes(frame, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
        RECT client{};
        GetClientRect(frame, &client);
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                            ES_WANTRETURN | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
        editor = CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"", style, 0, 0, client.right, client.bottom, frame,
                                 nullptr, wc.hInstance, nullptr);
        if (!editor) Fail("cannot create the floor's editor");
        SETTEXTEX how{ST_DEFAULT, CP_ACP};
        SendMessageW(editor, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(notes.c_str()));
    }
    ~BareWindow() { DestroyWindow(frame); }

    void PumpUntil(double start, const std::function<bool()>& reached) const {
        MSG msg;
        while (!reached()) {
            if (NowMs() - start > kPatienceMs) Fail("the floor's window did not change state");
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

    double Show() const {
        const double start = NowMs();
        ShowWindow(frame, SW_SHOW);
        SetForegroundWindow(frame);
        SetFocus(editor);
        PumpUntil(start, [&] { return IsWindowVisible(frame) && GetForegroundWindow() == frame && GetFocus() == editor; });
        return NowMs() - start;
    }

    double Hide(const std::wstring& path) const {
        const double start = NowMs();
        if (!path.empty()) StreamOutToFile(editor, path);
        ShowWindow(frame, SW_HIDE);
        PumpUntil(start, [&] { return !IsWindowVisible(frame); });
        return NowMs() - start;
    }
};

void MeasureFloor(const Setup& setup, const std::string& notes, const Page& page, Figures& figures) {
    const BareWindow bare(setup, figures.maxTransparency, notes, page.window);
    (void)bare.Show();  // the first show builds what it needs; not counted
    (void)bare.Hide(g_folder + L"floor.rtf");
    for (int run = 0; run < setup.runs; ++run) {
        Sleep(static_cast<DWORD>(kSettleMs));
        figures.floorShow.values.push_back(bare.Show());
        Sleep(static_cast<DWORD>(kSettleMs));
        figures.floorHide.values.push_back(bare.Hide(g_folder + L"floor.rtf"));
        Sleep(static_cast<DWORD>(kSettleMs));
        (void)bare.Show();
        Sleep(static_cast<DWORD>(kSettleMs));
        figures.floorHideOnly.values.push_back(bare.Hide({}));
    }
}

Figures Measure(const Setup& setup, const std::string& notes, Page& page) {
    const std::wstring& folder = g_folder;
    const std::string ini = Parameters(setup) + "[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n";
    if (!tavrik::test::WriteFileBytes(folder + L"Notes.tvk", notes) ||
        !tavrik::test::WriteFileBytes(folder + L"tavrik.ini", ini))
        Fail("cannot write the page");

    std::vector<std::wstring> messages;
    tavrik::app::SetMessageSink([&](std::wstring_view text, std::wstring_view, UINT) {
        messages.emplace_back(text);
        return IDOK;
    });
    Figures figures;
    {
        tavrik::app::AppEnvironment env = tavrik::test::BenchEnvironment();
        env.trayIcon = false;  // Wine takes 2 s to remove one, and it plays no part here
        TTavrikForm form(env);
        if (!form.Create() || form.PageCount() != 1) Fail("the form with its page did not come up");
        form.HotKeyReady = true;
        const HWND editor = form.Editor(form.TabIndex());  // the page read before anything is timed
        if (!editor) Fail("the page has no editor");
        page.fileBytes = notes.size();
        page.characters = TextLength(editor);
        if (page.characters < static_cast<LONG>(kPageBytes / 2)) Fail("the page holds less text than written");
        CHARRANGE start{0, 0};
        SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
        if (form.params.NoTransparency != setup.noTransparency || form.params.ShowCool != setup.showCool)
            Fail("the settings file was not read as written");
        if (setup.Fades()) {
            const tavrik::settings::Parameters& p = form.params;
            figures.fadeInSteps = tavrik::window::FadeInAlphas(p.MaxTransparency, p.FadeSpeed).size();
            figures.fadeOutSteps = tavrik::window::FadeOutAlphas(p.MaxTransparency, p.FadeSpeed).size();
        }
        figures.maxTransparency = form.params.MaxTransparency;
        figures.fadeSpeed = form.params.FadeSpeed;
        g_formProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MarkHide)));
        Settle(form);  // the parts built after start-up, on a timer

        int typed = 0;
        Figures warmUp = figures;  // the first show builds what it needs; not counted
        Run(form, editor, folder, typed, warmUp);
        SendMessageW(form.Handle(), WM_HOTKEY, 0, 0);
        (void)Until(form, NowMs(), [&] { return IsUp(form, editor); }, "the hot key did not bring the window up");
        RECT rc{};
        GetWindowRect(form.Handle(), &rc);
        page.window = {rc.right - rc.left, rc.bottom - rc.top};
        GetClientRect(editor, &rc);
        page.editor = {rc.right, rc.bottom};
        SendMessageW(form.Handle(), WM_HOTKEY, 0, 0);
        (void)Until(form, NowMs(), [&] { return IsDown(form); }, "the hot key did not hide the window");
        Settle(form);
        for (int run = 0; run < setup.runs; ++run) Run(form, editor, folder, typed, figures);
        if (!HoldsTypedKeys(form.PagePath(0), typed)) Fail("the page file does not hold every key typed before a hide");
        if (!messages.empty()) {
            std::printf("%ls\n", messages.front().c_str());
            Fail("the program showed a message");
        }
        SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_formProc));
    }
    tavrik::app::SetMessageSink(nullptr);
    MeasureFloor(setup, notes, page, figures);
    return figures;
}

void Heading(const char* what) { std::printf("\n%-52s %8s %8s %8s\n", what, "best", "median", "worst"); }

void Row(const char* what, const Series& series, int digits = 1) {
    std::printf("%-52s %8.*f %8.*f %8.*f\n", what, digits, series.Best(), digits, series.Median(), digits,
                Worst(series));
}

// Targets are ratios of medians against the floor of the same setup: a figure the user meets
// every time, not once in a while.
bool g_missed = false;

void Rated(const char* what, const Series& series, const Series& floor, double target) {
    const double ratio = series.Median() / floor.Median();
    const bool met = ratio <= target;
    g_missed = g_missed || !met;
    std::printf("%-52s %8.1f %8.1f %8.1f   %.2f <= %.1f  %s\n", what, series.Best(), series.Median(), Worst(series),
                ratio, target, met ? "met" : "NOT met");
}

void PrintShow(const Setup& setup, const Figures& figures) {
    std::printf("%s\n", setup.label);
    const auto row = [&](const char* what, const Series& series) {
        Rated(what, series, figures.floorShow, setup.Fades() ? setup.fadeTarget : kShowTarget);
    };
    Row("  floor: the bare window shown, in front, focused", figures.floorShow);
    row("  WM_HOTKEY sent", figures.showSent);
    row("  WM_HOTKEY posted, through the message loop", figures.showPosted);
    Row("    and on until the queue is empty (painted)", figures.showPostedPainted);
    Row("  ShowTavrik alone", figures.showTavrik);
    Row("  ShowMainWindow alone", figures.showMainWindow);
}

void PrintHide(const Setup& setup, const Figures& figures) {
    std::printf("%s\n", setup.label);
    const auto rows = [&](const char* how, const HideSeries& hide) {
        if (!setup.Fades()) {
            Rated(how, hide.whole, figures.floorHide, kHideTarget);
            return;
        }
        Rated(how, hide.whole, figures.floorHide, setup.fadeTarget);
        Row("    its fade out (until WM_SHOWWINDOW)", hide.fade);
        Rated("    the rest: hidden and saved", hide.rest, figures.floorHide, kHideTarget);
    };
    Row("  floor: the bare window's stream-out and hide", figures.floorHide);
    rows("  WM_HOTKEY sent", figures.hideSent);
    rows("  WM_HOTKEY posted, through the message loop", figures.hidePosted);
    rows("  FormHide called", figures.formHide);
    Row("  floor: the bare window's hide alone", figures.floorHideOnly);
    if (setup.Fades()) {
        Row("  WM_HOTKEY sent, nothing changed", figures.hideUnchanged.whole);
        Rated("    the rest: hidden, nothing written", figures.hideUnchanged.rest, figures.floorHideOnly, kHideUnchangedTarget);
    } else {
        Rated("  WM_HOTKEY sent, nothing changed", figures.hideUnchanged.whole, figures.floorHideOnly, kHideUnchangedTarget);
    }
    Row("  SavePage alone", figures.savePage);
    Row("  ShowWindow SW_HIDE alone", figures.hideWindow);
    Row("  the control's EM_STREAMOUT into a file, for scale", figures.streamOut);
}

void PrintRepaint(const Setup& setup, const Figures& figures) {
    std::printf("%s\n", setup.label);
    const RepaintParts& parts = figures.repaint;
    Row("  the whole window, with children", parts.whole);
    Row("    the window alone: frame and ground", parts.frame);
    Row("    the docks with their toolbars", parts.docks);
    Row("    the tab strip with the page's editor", parts.strip);
    Row("    the page's editor alone", parts.editor);
}

void PrintFades(const Setup& setup, const Figures& figures) {
    char label[96];
    std::snprintf(label, sizeof label, "%s (read: %d/%d): %zu steps in, %zu out", setup.label, figures.maxTransparency,
                  figures.fadeSpeed, figures.fadeInSteps, figures.fadeOutSteps);
    std::printf("%s\n", label);
    Row("  fade in, per step", Per(figures.fadeIn, figures.fadeInSteps), 2);
    Row("  fade in, whole", figures.fadeIn);
    Row("    alphas set in it", figures.fadeInSet, 0);
    Row("  fade out, per step", Per(figures.fadeOut, figures.fadeOutSteps), 2);
    Row("  fade out, whole", figures.fadeOut);
    Row("    alphas set in it", figures.fadeOutSet, 0);
    const StepParts& parts = figures.stepParts;
    Row("  a step's calls by hand: the style written", Per(parts.style, figures.fadeOutSteps), 2);
    Row("                          SetLayeredWindowAttributes", Per(parts.alpha, figures.fadeOutSteps), 2);
    // What each step cost when it repainted the window, for scale.
    Row("                          RedrawWindow with children", Per(parts.repaint, figures.fadeOutSteps), 2);
}

// Dark mode's cost to the show: the opaque show by the hot key, until the queue is empty and the
// window painted, with the theme Dark against Light. The theme is one for the whole process, so
// the two forms take turns, each made anew, rather than running side by side.
constexpr double kDarkShowTarget = 1.1;
constexpr int kThemeRounds = 3;

Series ThemedShows(const std::string& notes, int theme) {
    const std::string ini = "[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\nTheme=" + std::to_string(theme) +
                            "\r\nMainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n"
                            "[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n";
    if (!tavrik::test::WriteFileBytes(g_folder + L"Notes.tvk", notes) ||
        !tavrik::test::WriteFileBytes(g_folder + L"tavrik.ini", ini))
        Fail("cannot write the page");
    tavrik::app::AppEnvironment env = tavrik::test::BenchEnvironment();
    env.trayIcon = false;
    env.theme.keyPath = g_keyRoot + L"\\Personalize";  // never the user's own setting
    TTavrikForm form(env);
    if (!form.Create() || form.PageCount() != 1) Fail("the form with its page did not come up");
    if (tavrik::ui::CurrentTheme().dark != (theme == 2)) Fail("the theme was not taken from the settings file");
    form.HotKeyReady = true;
    const HWND editor = form.Editor(form.TabIndex());
    if (!editor) Fail("the page has no editor");
    Settle(form);
    Series shows, unused;
    for (int run = -1; run < kRuns; ++run) {  // the first show builds what it needs: not counted
        ShowByHotKey(form, editor, false, unused, run < 0 ? &unused : &shows);
        Settle(form);
        SendMessageW(form.Handle(), WM_HOTKEY, 0, 0);
        (void)Until(form, NowMs(), [&] { return IsDown(form); }, "the hot key did not hide the window");
        Settle(form);
    }
    return shows;
}

void MeasureDarkShow(const std::string& notes) {
    std::vector<std::wstring> messages;
    tavrik::app::SetMessageSink([&](std::wstring_view text, std::wstring_view, UINT) {
        messages.emplace_back(text);
        return IDOK;
    });
    Series light, dark;
    for (int round = 0; round < kThemeRounds; ++round) {
        for (const double value : ThemedShows(notes, 1).values) light.values.push_back(value);
        for (const double value : ThemedShows(notes, 2).values) dark.values.push_back(value);
    }
    tavrik::app::SetMessageSink(nullptr);
    (void)tavrik::ui::SetTheme({}, 0);
    if (!messages.empty()) Fail("the program showed a message");
    Heading("Dark mode: the opaque show, hot key to painted, Theme=2 against Theme=1");
    Row("  Theme=1, light", light);
    Rated("  Theme=2, dark", dark, light, kDarkShowTarget);
}

}  // namespace

int main() {
    (void)OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring unique = tavrik::test::UniqueName();
    g_folder = std::wstring(temp) + L"tavrik_show_hide_bench_" + unique + L"\\";
    g_keyRoot = L"Software\\TavrikBench\\" + unique;
    CreateDirectoryW(g_folder.c_str(), nullptr);

    const std::string notes = NotesPage(kPageBytes);
    Page page;
    std::vector<Figures> figures;
    for (const Setup& setup : kSetups) figures.push_back(Measure(setup, notes, page));

    std::printf("Tavrik show and hide benchmark under Wine: one page of %zu KB of rich text (%ld characters),\n"
                "the window %ld x %ld with %ld x %ld of the page in view; %d runs of each figure (%d with the\n"
                "default fade), a key typed before each hide. Times in ms; ratios of medians against the floor.\n",
                page.fileBytes / 1024, static_cast<long>(page.characters), static_cast<long>(page.window.cx),
                static_cast<long>(page.window.cy), static_cast<long>(page.editor.cx),
                static_cast<long>(page.editor.cy), kRuns, kLongFadeRuns);

    Heading("Show: hot key to visible, in front, editor focused");
    for (size_t i = 0; i < std::size(kSetups); ++i) PrintShow(kSetups[i], figures[i]);

    Heading("Fades as the program runs them, and a step by hand");
    for (size_t i = 0; i < std::size(kSetups); ++i)
        if (kSetups[i].Fades()) PrintFades(kSetups[i], figures[i]);

    // The same for every setup but for the layered style: two are enough to compare.
    Heading("One repaint of the shown window (RedrawWindow)");
    for (size_t i = 0; i < 2; ++i) PrintRepaint(kSetups[i], figures[i]);

    Heading("Hide: hot key to hidden, the page saved");
    for (size_t i = 0; i < std::size(kSetups); ++i) PrintHide(kSetups[i], figures[i]);

    // Wine waits about 2 s for a window manager at every hide unless it places windows itself.
    if (figures[0].hideSent.whole.Median() > 1000)
        std::printf("\nA hide takes seconds: Wine's X11 setting Managed=N is not in effect in this prefix.\n");
    MeasureDarkShow(notes);
    std::fflush(stdout);

    ClearScratch();
    return g_missed ? 2 : 0;
}
