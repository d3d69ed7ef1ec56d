// Find in all pages over 500 never-loaded pages of 20 KB of formatted rich text, each figure against
// a floor measured in the same run: the first search against reading the same files with ReadFile
// and the reader's own pass over them; the second search against asking each file's size and time
// and scanning its text in memory; Go to page over the 500 pages against a modal dialog of the same
// size with a plain list box of the same names.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/dialog_template.h"
#include "app/error_box.h"
#include "bench_run.h"
#include "search/find_all_form.h"
#include "search/go_to_page_dialog.h"
#include "search/text_cache.h"
#include "search/text_reader.h"
#include "rtf_writer.h"

using namespace tavrik;
using namespace tavrik::test;

namespace {

constexpr int kPages = 500;
constexpr int kRounds = 5;
constexpr double kFirstTarget = 3.0;  // times each floor
constexpr double kSecondTarget = 3.0;
constexpr double kGoToPageTarget = 2.0;
constexpr double kSecondAimMs = 50;    // the aims in time, shown beside the ratios
constexpr double kGoToPageAimMs = 50;

std::wstring PageName(int i) { return L"Page " + std::to_wstring(i); }
std::wstring PagePath(int i) { return g_folder + PageName(i) + L".tvk"; }

// Every page different; "Зебра" on three of them.
void MakePages() {
    std::string ini = "[Parameters]\r\nAutoSave=0\r\n[Pages]\r\n";
    for (int i = 0; i < kPages; ++i) {
        std::string page = RtfWriter(static_cast<unsigned>(i) + 1).Page(size_t{20} * 1024);
        if (i == 17 || i == 250 || i == 499) page.insert(page.size() - 3, "\\u1047?\\u1077?\\u1073?\\u1088?\\u1072?\\par");
        if (!WriteFileBytes(PagePath(i), page)) Fail("cannot write a page file");
        ini += "Page " + std::to_string(i) + "=16777215*Arial*0*10*0*0*1*\r\n";
    }
    if (!WriteFileBytes(g_folder + L"tavrik.ini", ini)) Fail("cannot write tavrik.ini");
}

// The least any search of unloaded files must do: read each file whole, and take its text out.
double Floor() {
    return TimeMs([] {
        size_t characters = 0;
        for (int i = 0; i < kPages; ++i) {
            const HANDLE file = CreateFileW(PagePath(i).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
            if (file == INVALID_HANDLE_VALUE) Fail("cannot open a page file");
            LARGE_INTEGER size{};
            GetFileSizeEx(file, &size);
            std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
            DWORD got = 0;
            const BOOL read = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
            CloseHandle(file);
            if (!read || got != bytes.size()) Fail("cannot read a page file");
            characters += search::ReadPageText(bytes, false, static_cast<int>(GetACP())).size();
        }
        if (characters < size_t{kPages} * 1000) Fail("the reader found no text");
    });
}

// The least a second search must do: ask whether each file changed, and scan its folded text.
double SecondFloor(const std::vector<std::u16string>& folded, std::u16string_view query) {
    size_t found = 0;
    const double ms = TimeMs([&] {
        for (int i = 0; i < kPages; ++i) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            if (!GetFileAttributesExW(PagePath(i).c_str(), GetFileExInfoStandard, &data)) Fail("a page file is gone");
            found += folded[static_cast<size_t>(i)].find(query) != std::u16string::npos;
        }
    });
    if (found != 3) Fail("the floor did not find the three pages");
    return ms;
}

double g_dialogUp = 0;
void CloseAtOnce(HWND dialog) {
    g_dialogUp = NowMs();
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

INT_PTR CALLBACK ListProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) {
        const HWND list = GetDlgItem(dialog, 100);
        for (int i = 0; i < kPages; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PageName(i).c_str()));
        CloseAtOnce(dialog);
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) EndDialog(dialog, 0);
    return msg == WM_INITDIALOG;
}

// Go to page's floor: a modal dialog of its size and font with a plain list box of the same names.
double ListDialogUp(HWND owner) {
    const auto [face, points] = app::MessageFont(owner);
    app::DialogTemplate box(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 200, 200, face, points);
    box.AddItem(app::kListBox, WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 7, 34, 186, 140, 100, L"");
    const double start = NowMs();
    (void)DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.Get(), owner, ListProc, 0);
    return g_dialogUp - start;
}

}  // namespace

int main() {
    std::vector<std::wstring> messages;
    app::SetMessageSink([&](std::wstring_view text, std::wstring_view, UINT) {
        messages.emplace_back(text);
        return IDOK;
    });
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring unique = UniqueName();
    g_folder = std::wstring(temp) + L"tavrik_find_all_bench_" + unique + L"\\";
    g_keyRoot = L"Software\\TavrikBench\\" + unique;
    CreateDirectoryW(g_folder.c_str(), nullptr);
    MakePages();

    std::vector<std::u16string> folded;
    folded.reserve(kPages);
    for (int i = 0; i < kPages; ++i)
        folded.push_back(search::FoldCase(search::ReadPageText(ReadBytes(PagePath(i)), false, static_cast<int>(GetACP()))));

    Series floor, first, secondFloor, second, dialogFloor, goToPage, goToPageUp;
    for (int round = 0; round < kRounds; ++round) {
        floor.values.push_back(Floor());
        app::TTavrikForm form(BenchEnvironment());
        if (!form.Create() || form.PageCount() != kPages) Fail("the form with the pages did not come up");
        form.ShowMenuClick();
        form.FindAllMenuClick();
        search::TFindAllForm* find = form.FindAll();
        if (!find) Fail("Find in all pages did not open");
        first.values.push_back(TimeMs([&] { find->Search(L"зебра", {}); }));
        if (find->ResultCount() != 3) Fail("the first search did not find the three pages");
        secondFloor.values.push_back(SecondFloor(folded, u"зебра"));
        second.values.push_back(TimeMs([&] { find->Search(L"ЗЕБРА", {}); }));
        if (find->ResultCount() != 3) Fail("the second search did not find the three pages");
        for (int i = 1; i < kPages; ++i)
            if (form.Page(i).editor) Fail("a page was loaded to be searched");
        dialogFloor.values.push_back(ListDialogUp(form.Handle()));
        search::SetGoToPageHook(CloseAtOnce);
        const double start = NowMs();
        goToPage.values.push_back(TimeMs([&] { form.GoToPageMenuClick(); }));
        goToPageUp.values.push_back(g_dialogUp - start);
        search::SetGoToPageHook(nullptr);
    }
    app::SetMessageSink(nullptr);
    if (!messages.empty()) Fail("a message was shown");

    const double ratio = first.Best() / floor.Best();
    const double secondRatio = second.Best() / secondFloor.Best();
    const double goToPageRatio = goToPageUp.Best() / dialogFloor.Best();
    std::printf("Find in all pages over %d never-loaded pages of 20 KB rich text, best of %d (median)\n", kPages, kRounds);
    std::printf("  floor: ReadFile and the reader's pass, every file    %8.1f ms  (%.1f)\n", floor.Best(), floor.Median());
    std::printf("  first search                                         %8.1f ms  (%.1f)\n", first.Best(), first.Median());
    std::printf("  ratio %.2f (at most %.1f)\n", ratio, kFirstTarget);
    std::printf("  floor: each file's size and time, its text scanned   %8.1f ms  (%.1f)\n", secondFloor.Best(),
                secondFloor.Median());
    std::printf("  second search, from memory                           %8.1f ms  (%.1f)  (aim: %.0f ms)\n",
                second.Best(), second.Median(), kSecondAimMs);
    std::printf("  ratio %.2f (at most %.1f)\n", secondRatio, kSecondTarget);
    std::printf("Go to page over %d pages\n", kPages);
    std::printf("  floor: a dialog of its size with the names, up       %8.1f ms  (%.1f)\n", dialogFloor.Best(),
                dialogFloor.Median());
    std::printf("  up with its list                                     %8.1f ms  (%.1f)  (aim: under %.0f ms)\n",
                goToPageUp.Best(), goToPageUp.Median(), kGoToPageAimMs);
    std::printf("  ratio %.2f (at most %.1f)\n", goToPageRatio, kGoToPageTarget);
    std::printf("  opened and closed again                              %8.1f ms  (%.1f)\n", goToPage.Best(),
                goToPage.Median());
    ClearScratch();
    const bool met = ratio <= kFirstTarget && secondRatio <= kSecondTarget && goToPageRatio <= kGoToPageTarget;
    return met ? 0 : 2;
}
