// Save as and autosave of a page of about 1 MB against the floor: the same rich-edit content
// streamed out by the bare control into a file written by hand, in the same run. And what looking
// for the settings of earlier versions adds to a start that finds none.
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>

#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/text.h"
#include "bench_run.h"
#include "pages/page_version_files.h"

using namespace tavrik;
using namespace tavrik::test;

namespace {

constexpr int kRounds = 9;
constexpr double kTarget = 1.2;
constexpr double kLookTarget = 2.0;  // against the registry calls the look cannot do without

std::string PageBytes() {
    std::string bytes = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n";
    while (bytes.size() < size_t{1024} * 1024)
        bytes += "\\pard\\b Bold\\b0  words \\i italic\\i0  Lorem ipsum dolor sit amet, consectetur adipiscing\\par\r\n";
    return bytes + "}";
}

// The floor: the page's own control streams out into a file of its own.
double ByHand(HWND editor, const std::wstring& path) {
    return TimeMs([&] {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) Fail("cannot create the floor's file");
        EDITSTREAM out{reinterpret_cast<DWORD_PTR>(file), 0, WriteToHandle};
        SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&out));
        CloseHandle(file);
        if (out.dwError) Fail("the control failed its stream-out");
    });
}

}  // namespace

int main() {
    app::SetMessageSink([](std::wstring_view, std::wstring_view, UINT) {
        Fail("a message box came");
        return IDOK;
    });
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring unique = UniqueName();
    g_folder = std::wstring(temp) + L"tavrik_save_as_bench_" + unique + L"\\";
    g_keyRoot = L"Software\\TavrikBench\\" + unique;
    CreateDirectoryW(g_folder.c_str(), nullptr);
    if (!WriteFileBytes(g_folder + L"Big.tvk", PageBytes()) ||
        !WriteFileBytes(g_folder + L"tavrik.ini", "[Parameters]\r\nLanguage=0\r\n[Pages]\r\nBig=16777215*Arial*0*10*0*0*1*\r\n"))
        Fail("cannot write the page");

    Series floor, saveAs, autoSave, look, lookFloor, withVersion, withoutVersion, copy, keep;
    {
        app::TTavrikForm form(BenchEnvironment());
        if (!form.Create()) Fail("the form did not come up");
        form.ShowMenuClick();
        const HWND editor = form.Editor(0);
        const std::wstring target = g_folder + L"export.rtf";
        app::SetSaveFileHook([&](const app::SaveRequest&) { return std::optional(app::SaveChoice{target, 1}); });
        for (int round = 0; round < kRounds; ++round) {
            floor.values.push_back(ByHand(editor, g_folder + L"floor.rtf"));
            saveAs.values.push_back(TimeMs([&] {
                SendMessageW(form.Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Save), 0);
            }));
            SendMessageW(editor, EM_SETMODIFY, TRUE, 0);  // as a change would leave it
            autoSave.values.push_back(TimeMs([&] { form.AutoSaveTime(); }));
            if (SendMessageW(editor, EM_GETMODIFY, 0, 0)) Fail("autosave left the page unwritten");
            look.values.push_back(TimeMs([&] { form.ConvertSettings(); }));
            lookFloor.values.push_back(TimeMs([&] {
                HKEY key = nullptr, sub = nullptr;
                if (RegCreateKeyExW(HKEY_CURRENT_USER, (g_keyRoot + L"\\Legacy").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                    nullptr, &key, nullptr) != ERROR_SUCCESS)
                    Fail("cannot open the legacy key");
                for (const wchar_t* name : {L"Parameters", L"Pages"})
                    if (RegOpenKeyExW(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) RegCloseKey(sub);
                RegCloseKey(key);
            }));
            // A save that keeps a version against one that does not, and one copy of the file.
            const auto change = [&] {
                SendMessageW(editor, EM_SETSEL, 0, 0);
                SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
            };
            change();
            form.Pages()[0].versionKeptAt.reset();  // due, as at the first save of a run
            withVersion.values.push_back(TimeMs([&] { (void)form.SavePage(0); }));
            change();
            withoutVersion.values.push_back(TimeMs([&] { (void)form.SavePage(0); }));
            // What the save runs between writing the new file and putting it in place, by itself:
            // the difference of two saves of some 50 ms cannot show a few ms reliably.
            keep.values.push_back(TimeMs([&] {
                const pages::KeptVersion kept =
                    pages::KeepVersionAndRotate({app::ToWide(form.params.SaveTo), {}}, L"Big", g_folder + L"Big.tvk",
                                                form.params.Versions, form.params.Plain);
                if (kept.error != ERROR_SUCCESS) Fail("cannot keep a version");
            }));
            copy.values.push_back(TimeMs([&] {
                // Flushed, as every file the program keeps is before it counts as written.
                const std::wstring target = g_folder + L"copy.tvk";
                if (!CopyFileW((g_folder + L"Big.tvk").c_str(), target.c_str(), FALSE)) Fail("cannot copy the page file");
                const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                if (file == INVALID_HANDLE_VALUE || !FlushFileBuffers(file)) Fail("cannot flush the copy");
                CloseHandle(file);
            }));
        }
        app::SetSaveFileHook(nullptr);
        if (ReadBytes(target).size() < size_t{512} * 1024) Fail("Save as wrote no page");
    }
    std::printf("Save as of a page of 1 MB, best of %d (median)\n", kRounds);
    std::printf("  the control's stream-out into a file  %8.2f ms  (%.2f)\n", floor.Best(), floor.Median());
    std::printf("  Save as                               %8.2f ms  (%.2f)\n", saveAs.Best(), saveAs.Median());
    std::printf("  ratio %.2f (at most %.1f)\n", saveAs.Best() / floor.Best(), kTarget);
    std::printf("  autosave of the changed page          %8.2f ms  (%.2f)\n", autoSave.Best(), autoSave.Median());
    std::printf("  ratio %.2f (at most %.1f)\n", autoSave.Best() / floor.Best(), kTarget);
    const double versionCost = withVersion.Best() - withoutVersion.Best();
    std::printf("keeping a version of the 1 MB page: a save with one %.2f ms, without %.2f ms, one flushed file copy %.2f ms\n",
                withVersion.Best(), withoutVersion.Best(), copy.Best());
    std::printf("  what the version adds to a save / one flushed file copy: %.2f (two whole saves apart: noisy)\n",
                versionCost / copy.Best());
    std::printf("  keeping the version by itself, as the save does, %.2f ms (%.2f): / one flushed file copy %.2f "
                "(at most 1.0)\n", keep.Best(), keep.Median(), keep.Best() / copy.Best());
    const double lookRatio = look.Median() / lookFloor.Median();
    std::printf("looking for the settings of earlier versions when there are none: %.3f ms, the registry calls alone\n"
                "  %.3f ms (medians): ratio %.2f (at most %.1f)\n", look.Median(), lookFloor.Median(), lookRatio, kLookTarget);
    ClearScratch();
    const bool met = saveAs.Best() / floor.Best() <= kTarget && autoSave.Best() / floor.Best() <= kTarget &&
                     lookRatio <= kLookTarget && keep.Best() <= copy.Best();
    return met ? 0 : 2;
}
