// 500 page files of 20 KB of formatted rich text, never shown, made plain text by ConvertPages,
// against the floor: one rich-edit control loading each file (EM_STREAMIN SF_RTF), streaming its
// text out (EM_STREAMOUT SF_TEXT) and writing it over the file by hand, in the same run.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/error_box.h"
#include "bench_run.h"

using namespace tavrik;
using namespace tavrik::test;

namespace {

constexpr int kPages = 500;
constexpr int kRounds = 3;
constexpr double kTarget = 1.3;

std::string PageBytes() {
    std::string bytes = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}\r\n";
    // Bold, italic, another font and Cyrillic ("Жук" in Windows-1251) on every line.
    while (bytes.size() < 20 * 1024 - 1)
        bytes += "\\pard\\b Bold\\b0  words \\i italic\\i0  \\f1\\'c6\\'f3\\'ea\\f0  Lorem ipsum dolor sit amet\\par\r\n";
    return bytes + "}";
}

std::wstring PageName(int i) { return L"Page " + std::to_wstring(i); }

void MakePages(const std::wstring& folder, const std::string& bytes) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < kPages; ++i)
        if (!WriteFileBytes(folder + PageName(i) + L".tvk", bytes)) Fail("cannot write a page file");
}

void WriteIni(const std::wstring& pages) {
    std::string ini = "[Parameters]\r\nSaveTo=" + std::string(pages.begin(), pages.end()) + "\r\n[Pages]\r\n";
    for (int i = 0; i < kPages; ++i) ini += "Page " + std::to_string(i) + "=16777215*Arial*0*10*0*0*1*\r\n";
    if (!WriteFileBytes(g_folder + L"tavrik.ini", ini)) Fail("cannot write tavrik.ini");
}

struct MemoryIn {
    const std::string* data;
    size_t pos = 0;
};

DWORD CALLBACK ReadMemory(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* in = reinterpret_cast<MemoryIn*>(cookie);
    const size_t n = std::min(static_cast<size_t>(wanted), in->data->size() - in->pos);
    std::copy_n(in->data->data() + in->pos, n, buffer);
    in->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

// Made as the program makes its scratch control: rich text, no size, no wrapping, no undo.
HWND BareControl() {
    static const HMODULE richEdit = LoadLibraryW(L"Msftedit.dll");  // kept for the whole run
    (void)richEdit;
    const HWND control = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE, 0, 0, 0, 0, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!control) Fail("no rich-edit control");
    SendMessageW(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(control, EM_SETUNDOLIMIT, 0, 0);
    SendMessageW(control, EM_SETTARGETDEVICE, 0, 1);
    return control;
}

void ByHand(const std::wstring& folder) {
    const HWND control = BareControl();
    for (int i = 0; i < kPages; ++i) {
        const std::wstring path = folder + PageName(i) + L".tvk";
        const std::string bytes = ReadBytes(path);
        MemoryIn in{&bytes};
        EDITSTREAM load{reinterpret_cast<DWORD_PTR>(&in), 0, ReadMemory};
        SendMessageW(control, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&load));
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) Fail("cannot open a page file");
        EDITSTREAM save{reinterpret_cast<DWORD_PTR>(file), 0, WriteToHandle};
        SendMessageW(control, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&save));
        CloseHandle(file);
        if (load.dwError || save.dwError) Fail("the control failed a stream");
    }
    DestroyWindow(control);
}

void CheckPlain(const std::wstring& folder) {
    for (int i = 0; i < kPages; i += 97) {
        const std::string bytes = ReadBytes(folder + PageName(i) + L".tvk");
        if (bytes.empty() || bytes.find("{\\rtf") != std::string::npos || bytes.find("Lorem ipsum") == std::string::npos)
            Fail("a page file is not the page's plain text");
    }
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
    g_folder = std::wstring(temp) + L"tavrik_convert_bench_" + unique + L"\\";
    g_keyRoot = L"Software\\TavrikBench\\" + unique;
    CreateDirectoryW(g_folder.c_str(), nullptr);
    const std::string page = PageBytes();

    Series engine, floor;
    for (int round = 0; round < kRounds; ++round) {
        const std::wstring byHand = g_folder + L"f" + std::to_wstring(round) + L"\\";
        const std::wstring pages = g_folder + L"p" + std::to_wstring(round) + L"\\";
        MakePages(byHand, page);
        MakePages(pages, page);
        WriteIni(pages);
        floor.values.push_back(TimeMs([&] { ByHand(byHand); }));
        CheckPlain(byHand);
        {
            app::TTavrikForm form(BenchEnvironment());
            if (!form.Create() || form.PageCount() != kPages) Fail("the form with the pages did not come up");
            for (int i = 0; i < kPages; ++i)
                if (form.Page(i).loaded) Fail("a page was read before the conversion");
            engine.values.push_back(TimeMs([&] {
                if (!form.ConvertPages(true, nullptr)) Fail("a page was not converted");
            }));
            if (!form.params.Plain || !messages.empty()) Fail("the conversion did not end in plain text");
        }
        CheckPlain(pages);
        RemoveTree(byHand);
        RemoveTree(pages);
    }
    app::SetMessageSink(nullptr);
    std::printf("making %d never-shown pages of 20 KB rich text plain, best of %d (median)\n", kPages, kRounds);
    std::printf("  by hand (one control: SF_RTF in, SF_TEXT out, file rewritten)  %8.1f ms  (%.1f)\n", floor.Best(),
                floor.Median());
    std::printf("  ConvertPages                                                   %8.1f ms  (%.1f)\n", engine.Best(),
                engine.Median());
    std::printf("  ratio %.2f (at most %.1f)\n", engine.Best() / floor.Best(), kTarget);
    ClearScratch();
    return engine.Best() / floor.Best() <= kTarget ? 0 : 2;
}
