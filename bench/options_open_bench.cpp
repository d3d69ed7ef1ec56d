// Opening the Options dialog over 500 pages, from the command to the dialog painted and closed
// again, against the floor: an empty modal dialog of the same size, font and frame, in the same run.
// The first opening is judged apart, against the first empty dialog of the run: both are the
// first of their kind to be drawn. The program makes the dialog once its window is up and idle.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/dialog_template.h"
#include "app/error_box.h"
#include "bench_run.h"
#include "options/options_form.h"
#include "options/options_layout.h"

using namespace tavrik;
using namespace tavrik::test;

namespace {

constexpr int kPages = 500;
constexpr int kRounds = 15;
constexpr double kTarget = 2.0;

// Once the dialog is up and idle: everything it has to paint is painted, then it is closed.
HWND g_dialog = nullptr;
void CALLBACK CloseWhenIdle(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!g_dialog) return;
    RedrawWindow(g_dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PostMessageW(g_dialog, WM_COMMAND, IDCANCEL, 0);
}

INT_PTR CALLBACK EmptyProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) {
        g_dialog = dialog;
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

// Each measurement starts from a quiet window: what the one before left to repaint is done first.
void Settle(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The window up and idle, as the user finds it: what it makes when first idle is made by now,
// rather than inside the first measurement's loop.
void WaitUntilIdle(const app::TTavrikForm& form) {
    const double end = NowMs() + 2000;
    while (!form.OptionsForm && NowMs() < end) {
        Settle(form.Handle());
        Sleep(1);
    }
    Settle(form.Handle());
}

double EmptyDialog(HWND owner) {
    Settle(owner);
    return TimeMs([&] {
        app::DialogTemplate box(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, options::kOptionsWidth,
                                options::kOptionsHeight, options::kOptionsFont, options::kOptionsFontPoints,
                                WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT);
        SetTimer(nullptr, 0, 0, CloseWhenIdle);
        (void)DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.Get(), owner, EmptyProc, 0);
        g_dialog = nullptr;
    });
}

app::TTavrikForm* g_form = nullptr;

// The timer fires in the dialog's own loop, once it is up and idle.
void CALLBACK CloseOptionsWhenIdle(HWND, UINT, UINT_PTR timer, DWORD) {
    g_dialog = g_form->OptionsForm ? g_form->OptionsForm->Handle() : nullptr;
    CloseWhenIdle(nullptr, 0, timer, 0);
}

double OptionsDialog(app::TTavrikForm& form) {
    g_form = &form;
    Settle(form.Handle());
    return TimeMs([&] {
        SetTimer(nullptr, 0, 0, CloseOptionsWhenIdle);
        SendMessageW(form.Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Options), 0);
        g_dialog = nullptr;
    });
}

}  // namespace

int main() {
    app::SetMessageSink([](std::wstring_view, std::wstring_view, UINT) { return IDOK; });
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring unique = UniqueName();
    g_folder = std::wstring(temp) + L"tavrik_options_bench_" + unique + L"\\";
    g_keyRoot = L"Software\\TavrikBench\\" + unique;
    CreateDirectoryW(g_folder.c_str(), nullptr);
    std::string ini = "[Parameters]\r\nLanguage=0\r\nNoTransparency=1\r\n[Pages]\r\n";
    for (int i = 0; i < kPages; ++i) ini += "Page " + std::to_string(i) + "=16777215*Arial*0*10*0*0*1*\r\n";
    if (!WriteFileBytes(g_folder + L"tavrik.ini", ini)) Fail("cannot write tavrik.ini");

    Series floor, dialog;
    double first = 0, firstFloor = 0;
    {
        app::TTavrikForm form(BenchEnvironment());
        if (!form.Create() || form.PageCount() != kPages) Fail("the form with the pages did not come up");
        form.ShowMenuClick();
        WaitUntilIdle(form);
        firstFloor = EmptyDialog(form.Handle());
        first = OptionsDialog(form);
        for (int round = 0; round < kRounds; ++round) {
            floor.values.push_back(EmptyDialog(form.Handle()));
            dialog.values.push_back(OptionsDialog(form));
        }
        if (form.OptionsForm && form.OptionsForm->Handle()) Fail("the Options dialog stayed open");
    }
    std::printf("opening the Options dialog with %d pages, painted and closed, best of %d (median)\n", kPages, kRounds);
    std::printf("  empty modal dialog of the same size  %7.2f ms  (%.2f)\n", floor.Best(), floor.Median());
    std::printf("  Options dialog                       %7.2f ms  (%.2f)\n", dialog.Best(), dialog.Median());
    std::printf("  ratio %.2f (at most %.1f)\n", dialog.Best() / floor.Best(), kTarget);
    std::printf("  first empty modal dialog             %7.2f ms\n", firstFloor);
    std::printf("  first opening of the Options dialog  %7.2f ms\n", first);
    std::printf("  ratio %.2f (at most %.1f)\n", first / firstFloor, kTarget);
    ClearScratch();
    return dialog.Best() / floor.Best() <= kTarget && first / firstFloor <= kTarget ? 0 : 2;
}
