// Two pages of about 1 MB: Find next over one of them (target: 50 ms a call), and switching
// between them against what the rich-edit control itself costs for the same work (target: 1.2
// times). Wine's rich edit is slow, so the switch is judged as a ratio measured in the same run.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "bench_run.h"
#include "scratch_files.h"
#include "series.h"

namespace {

using tavrik::test::Series;

constexpr size_t kPageCharacters = size_t{1024} * 1024;
constexpr int kFindRuns = 9;
constexpr int kWalkRuns = 3;
constexpr int kSwitchRuns = 11;
constexpr double kFindTarget = 1.5;  // Find next against the control's own EM_FINDTEXTEXW
constexpr double kSwitchTarget = 1.2;

// None of these is in the vocabulary below, nor part of a word of it: a search finds only the
// places the writer put them.
constexpr wchar_t kNearEnd[] = L"Quillfeather";  // once, in the last paragraph
constexpr wchar_t kAbsent[] = L"zugzwang";       // nowhere
constexpr wchar_t kStepped[] = L"lantern";       // in every kStepEvery-th paragraph
constexpr unsigned kStepEvery = 16;

using tavrik::test::ClearScratch;
using tavrik::test::Fail;
using tavrik::test::g_folder;
using tavrik::test::g_keyRoot;
using tavrik::test::TimeMs;
using tavrik::test::ReadBytes;
using tavrik::test::TextLength;
using tavrik::test::TypeKey;
using tavrik::test::Worst;
using tavrik::test::WriteToHandle;

// Whatever the last step left queued, painting included, is done before the next one is timed.
void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Prose as notes hold it: sentences over many short paragraphs, now and then a bold or italic
// run or a Russian word (code page 1251, as the font table says), each paragraph a line of the
// file. The page is as long as it takes to hold the given number of characters of text.
class ProseWriter {
public:
    explicit ProseWriter(unsigned seed) : random_(seed) {}

    std::string Page(size_t characters) {
        std::string rtf = kHead;
        for (unsigned paragraph = 1; characters_ < characters; ++paragraph) {
            Paragraph(rtf, paragraph % kStepEvery == 0 ? kStepped : nullptr);
            if (paragraph % kStepEvery == 0) ++stepped_;
        }
        Paragraph(rtf, kNearEnd);
        rtf += "}\r\n";
        return rtf;
    }

    int Stepped() const { return stepped_; }

private:
    static constexpr const char* kHead =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 ";

    unsigned Next(size_t bound) { return static_cast<unsigned>(random_() % bound); }

    void Text(std::string& rtf, std::string_view text) {
        rtf += text;
        characters_ += text.size();
    }

    void Word(std::string& rtf, bool capital) {
        static const char* const kEnglish[] = {
            "the", "a", "of", "and", "to", "in", "we", "meeting", "notes", "river", "garden", "morning",
            "letter", "office", "train", "window", "paper", "answer", "market", "bread", "coffee", "evening",
            "little", "quiet", "before", "after", "again", "because", "winter", "summer", "house", "friend",
            "number", "street", "city", "question", "table", "small", "every", "should", "would", "perhaps",
            "tomorrow", "yesterday", "remember", "call", "write", "bring", "check", "list", "order", "price"};
        static const char16_t* const kRussian[] = {u"встреча", u"телефон", u"купить", u"молоко",
                                                   u"завтра", u"письмо", u"отчёт", u"обязательно"};
        if (!capital && Next(14) == 0) {
            for (const char16_t* c = kRussian[Next(std::size(kRussian))]; *c; ++c) {
                // А..я are 0xC0..0xFF in code page 1251, ё is 0xB8.
                const unsigned byte = *c == u'ё' ? 0xB8u : 0xC0u + (*c - u'А');
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\'%02x", byte);
                rtf += escape;
                ++characters_;
            }
            return;
        }
        std::string word = kEnglish[Next(std::size(kEnglish))];
        if (capital) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        Text(rtf, word);
    }

    void Sentence(std::string& rtf, const wchar_t* planted) {
        const unsigned words = 6 + Next(11);
        const unsigned plantAt = planted ? 1 + Next(words - 1) : words;
        for (unsigned i = 0; i < words; ++i) {
            if (i > 0) Text(rtf, " ");
            if (i == plantAt) {
                for (const wchar_t* c = planted; *c; ++c) Text(rtf, std::string(1, static_cast<char>(*c)));  // ASCII
                continue;
            }
            switch (Next(24)) {
            case 0: rtf += "{\\b "; Word(rtf, i == 0); rtf += "}"; break;
            case 1: rtf += "{\\i "; Word(rtf, i == 0); rtf += "}"; break;
            default: Word(rtf, i == 0); break;
            }
        }
        Text(rtf, Next(8) == 0 ? "; " : ". ");
    }

    void Paragraph(std::string& rtf, const wchar_t* planted) {
        const unsigned sentences = 1 + Next(4);
        const unsigned plantIn = Next(sentences);
        for (unsigned i = 0; i < sentences; ++i) Sentence(rtf, i == plantIn ? planted : nullptr);
        rtf += "\\par\r\n";
        ++characters_;  // the control counts a paragraph break as one character
    }

    std::minstd_rand random_;  // the same pages on every machine
    size_t characters_ = 0;
    int stepped_ = 0;
};

CHARRANGE Selection(HWND editor) {
    CHARRANGE range{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void Select(HWND editor, LONG from, LONG to) {
    CHARRANGE range{from, to};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// The control's own search, the way Find next asks it, without selecting or scrolling.
LONG BareFind(HWND editor, const wchar_t* what) {
    FINDTEXTEXW find{};
    find.chrg = {0, -1};
    find.lpstrText = what;
    return static_cast<LONG>(SendMessageW(editor, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)));
}

DWORD CALLBACK AppendToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    *done = size;
    return 0;
}

void StreamOutTo(HWND editor, EDITSTREAMCALLBACK callback, DWORD_PTR cookie) {
    EDITSTREAM stream{cookie, 0, callback};
    SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0) Fail("the control could not stream its page out");
}

HANDLE CreateForWriting(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot create a file in the bench folder");
    return file;
}

struct FindFigures {
    Series nearEnd, absent, step;        // FindDialog1Find, per call
    Series nearEndDrawn, stepDrawn;      // the same with the found place drawn on screen
    Series bareNearEnd, bareAbsent;      // the control's own search
    int matchesPerWalk = 0;
};

// Times the call and then the drawing it left queued.
void TimeFind(tavrik::app::TTavrikForm& form, const wchar_t* what, bool expectFound, Series& call, Series* drawn) {
    bool found = false;
    const double callMs = TimeMs([&] { found = form.FindDialog1Find(what); });
    if (found != expectFound)
        Fail(expectFound ? "Find next missed a word that is there" : "Find next found a word that is not there");
    const double drawMs = TimeMs(
        [&] { RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); });
    call.values.push_back(callMs);
    if (drawn) drawn->values.push_back(callMs + drawMs);
    Pump();
}

FindFigures MeasureFind(tavrik::app::TTavrikForm& form, int stepped) {
    const HWND editor = form.Editor(form.TabIndex());
    const LONG length = TextLength(editor);
    const auto nearEndLength = static_cast<LONG>(std::wcslen(kNearEnd));
    FindFigures figures;
    for (int run = 0; run < kFindRuns; ++run) {
        Select(editor, 0, 0);
        Pump();
        TimeFind(form, kNearEnd, true, figures.nearEnd, &figures.nearEndDrawn);
        const CHARRANGE found = Selection(editor);
        if (found.cpMin < length - 2048 || found.cpMax - found.cpMin != nearEndLength)
            Fail("Find next selected something else than the word near the end");

        Select(editor, 0, 0);
        Pump();
        TimeFind(form, kAbsent, false, figures.absent, nullptr);

        LONG at = 0;
        figures.bareNearEnd.values.push_back(TimeMs([&] { at = BareFind(editor, kNearEnd); }));
        if (at != found.cpMin) Fail("the control found the word near the end elsewhere");
        figures.bareAbsent.values.push_back(TimeMs([&] { at = BareFind(editor, kAbsent); }));
        if (at != -1) Fail("the control found a word that is not there");
    }
    // Find next again and again from the start, through every match and the last call that finds
    // nothing more.
    for (int run = 0; run < kWalkRuns; ++run) {
        Select(editor, 0, 0);
        Pump();
        int matches = 0;
        for (LONG last = -1;; ++matches) {
            TimeFind(form, kStepped, matches < stepped, figures.step, &figures.stepDrawn);
            if (matches == stepped) break;
            const LONG now = Selection(editor).cpMin;
            if (now <= last) Fail("Find next did not move forward");
            last = now;
        }
        figures.matchesPerWalk = matches;
    }
    return figures;
}

struct SwitchFigures {
    Series program;  // SwitchToPage
    Series floor;    // the control's stream out into a file, then hide, show and focus
    Series savePage;
    // The program's save and show done by hand, part by part.
    Series streamToMemory, createTemp, streamToFile, flush, closeAndMove, place, showHideFocus, selection;
    size_t streamedBytes = 0;
};

// What the control itself must do to leave one page for another: its rich text out into a file,
// one editor hidden and the other shown with the focus.
void FloorSwitch(HWND leaving, HWND entering, const std::wstring& path) {
    const HANDLE file = CreateForWriting(path);
    StreamOutTo(leaving, WriteToHandle, reinterpret_cast<DWORD_PTR>(file));
    CloseHandle(file);
    ShowWindow(entering, SW_SHOW);
    SetFocus(entering);
    ShowWindow(leaving, SW_HIDE);
}

// The steps of the program's save through a temporary file, and of its show, each timed, leaving
// the same state as a switch. The file written is not the page's.
void PartsOfSwitch(tavrik::app::TTavrikForm& form, HWND leaving, HWND entering, const std::wstring& folder,
                   SwitchFigures& figures) {
    std::string rtf;
    figures.streamToMemory.values.push_back(
        TimeMs([&] { StreamOutTo(leaving, AppendToString, reinterpret_cast<DWORD_PTR>(&rtf)); }));
    figures.streamedBytes = rtf.size();
    const std::wstring temp = folder + L"parts.tmp";
    HANDLE file = INVALID_HANDLE_VALUE;
    figures.createTemp.values.push_back(TimeMs([&] { file = CreateForWriting(temp); }));
    figures.streamToFile.values.push_back(
        TimeMs([&] { StreamOutTo(leaving, WriteToHandle, reinterpret_cast<DWORD_PTR>(file)); }));
    figures.flush.values.push_back(TimeMs([&] {
        if (!FlushFileBuffers(file)) Fail("FlushFileBuffers failed");
    }));
    figures.closeAndMove.values.push_back(TimeMs([&] {
        CloseHandle(file);
        const std::wstring target = folder + L"parts.rtf";
        if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail("MoveFileExW failed");
    }));
    RECT rc{};
    GetWindowRect(entering, &rc);
    MapWindowPoints(nullptr, GetParent(entering), reinterpret_cast<POINT*>(&rc), 2);
    figures.place.values.push_back(
        TimeMs([&] { MoveWindow(entering, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE); }));
    figures.showHideFocus.values.push_back(TimeMs([&] {
        ShowWindow(entering, SW_SHOW);
        SetFocus(entering);
        ShowWindow(leaving, SW_HIDE);
    }));
    figures.selection.values.push_back(TimeMs([&] { form.SelectionChange(); }));
}

// Every switch, floor and part is preceded by a typed key in the page being left. `saved` counts,
// per page, the keys typed before the program last saved it, for the check of the files after.
SwitchFigures MeasureSwitch(tavrik::app::TTavrikForm& form, const std::wstring& folder, int saved[2]) {
    const HWND editors[2] = {form.Editor(0), form.Editor(1)};
    int typed[2] = {0, 0};
    for (const HWND editor : editors) Select(editor, 0, 0);
    auto typeInto = [&](int page) {
        TypeKey(editors[page]);
        ++typed[page];
        Pump();
    };
    SwitchFigures figures;
    auto programTwice = [&] {
        for (int i = 0; i < 2; ++i) {
            const int from = form.TabIndex();
            const int to = 1 - from;
            typeInto(from);
            figures.program.values.push_back(TimeMs([&] { form.SwitchToPage(to); }));
            if (form.TabIndex() != to || !IsWindowVisible(editors[to]) || IsWindowVisible(editors[from]) ||
                GetFocus() != editors[to])
                Fail("SwitchToPage did not end on the other page, alone and with the focus");
            saved[from] = typed[from];
            Pump();
        }
    };
    // There and back, so the form's idea of its current page stays true.
    auto floorTwice = [&] {
        for (int i = 0; i < 2; ++i) {
            const int from = i == 0 ? form.TabIndex() : 1 - form.TabIndex();
            typeInto(from);
            figures.floor.values.push_back(
                TimeMs([&] { FloorSwitch(editors[from], editors[1 - from], folder + L"floor.rtf"); }));
            Pump();
        }
    };
    for (int run = 0; run < kSwitchRuns; ++run) {
        // Taking turns at going first, so neither always follows the other's leftovers.
        if (run % 2 == 0) {
            programTwice();
            floorTwice();
        } else {
            floorTwice();
            programTwice();
        }
        for (int i = 0; i < 2; ++i) {
            const int from = i == 0 ? form.TabIndex() : 1 - form.TabIndex();
            typeInto(from);
            PartsOfSwitch(form, editors[from], editors[1 - from], folder, figures);
            Pump();
        }
        const int current = form.TabIndex();
        typeInto(current);
        figures.savePage.values.push_back(TimeMs([&] {
            if (!form.SavePage(current)) Fail("SavePage failed");
        }));
        saved[current] = typed[current];
        Pump();
    }
    return figures;
}

// The page file holds exactly the keys typed before its last save, side by side at the start.
bool HoldsTypedKeys(const std::wstring& path, int keys) {
    const std::string bytes = ReadBytes(path);
    return bytes.find(std::string(static_cast<size_t>(keys), 'x')) != std::string::npos &&
           bytes.find(std::string(static_cast<size_t>(keys) + 1, 'x')) == std::string::npos;
}

void Row(const char* what, const Series& series) {
    std::printf("%-50s %9.1f %9.1f %9.1f\n", what, series.Best(), series.Median(), Worst(series));
}

void Row(const char* what, double once) { std::printf("%-50s %9.1f\n", what, once); }

}  // namespace

int main() {
    (void)OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::vector<std::wstring> messages;
    tavrik::app::SetMessageSink([&](std::wstring_view text, std::wstring_view, UINT) {
        messages.emplace_back(text);
        return IDOK;
    });

    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring unique = tavrik::test::UniqueName();
    g_folder = std::wstring(temp) + L"tavrik_editor_bench_" + unique + L"\\";
    g_keyRoot = L"Software\\TavrikBench\\" + unique;
    const std::wstring& folder = g_folder;
    CreateDirectoryW(folder.c_str(), nullptr);

    ProseWriter first(11), second(12);
    const std::string firstPage = first.Page(kPageCharacters), secondPage = second.Page(kPageCharacters);
    if (!tavrik::test::WriteFileBytes(folder + L"First.tvk", firstPage) ||
        !tavrik::test::WriteFileBytes(folder + L"Second.tvk", secondPage) ||
        !tavrik::test::WriteFileBytes(folder + L"tavrik.ini",
                                      "[Pages]\r\nFirst=16777215*Arial*0*10*0*0*1*\r\n"
                                      "Second=16777215*Arial*0*10*0*0*1*\r\n"))
        Fail("cannot write the pages");

    double showMs = 0, readMs = 0;
    LONG characters = 0;
    FindFigures find;
    SwitchFigures switching;
    {
        tavrik::app::AppEnvironment env = tavrik::test::BenchEnvironment();
        tavrik::app::TTavrikForm form(env);
        if (!form.Create() || form.PageCount() != 2) Fail("the form with two pages did not come up");
        // Shown, so that showing an editor and scrolling to a match are real.
        showMs = TimeMs([&] {
            ShowWindow(form.Handle(), SW_SHOWNORMAL);
            SetForegroundWindow(form.Handle());
        });
        Pump();
        readMs = TimeMs([&] {
            if (!form.Editor(1)) Fail("the second page has no editor");
        });
        if (form.TabIndex() != 0 || !IsWindowVisible(form.Editor(0))) Fail("the first page is not shown");
        characters = TextLength(form.Editor(0));
        if (characters < static_cast<LONG>(kPageCharacters)) Fail("the first page holds less text than written");

        find = MeasureFind(form, first.Stepped());
        int saved[2] = {0, 0};
        switching = MeasureSwitch(form, folder, saved);
        for (int page = 0; page < 2; ++page)
            if (!HoldsTypedKeys(form.PagePath(page), saved[page]))
                Fail("a page file does not hold the keys typed before its last save");
        if (!messages.empty()) Fail("the program showed a message");
    }
    tavrik::app::SetMessageSink(nullptr);

    std::printf("Tavrik editor benchmark under Wine: two pages of %zu and %zu KB of rich text, the first\n"
                "holding %ld characters; the window shown. Times in ms.\n\n",
                firstPage.size() / 1024, secondPage.size() / 1024, static_cast<long>(characters));
    Row("window shown with the first page (once, for scale)", showMs);
    Row("second page read (once, for scale)", readMs);

    std::printf("\n%-50s %9s %9s %9s\n", "Find next, per call", "best", "median", "worst");
    Row("a word near the end, from the start", find.nearEnd);
    Row("a word not in the text (a full scan)", find.absent);
    char stepLabel[64];
    std::snprintf(stepLabel, sizeof stepLabel, "Find next through %d matches, each step", find.matchesPerWalk);
    Row(stepLabel, find.step);
    std::printf("For scale, not rated:\n");
    Row("  near the end, with the found place drawn", find.nearEndDrawn);
    Row("  each step, with the found place drawn", find.stepDrawn);
    Row("floor: the control's EM_FINDTEXTEXW, near the end", find.bareNearEnd);
    Row("floor: the control's EM_FINDTEXTEXW, not in the text", find.bareAbsent);
    const double findRatio = std::max(find.nearEnd.Best() / find.bareNearEnd.Best(), find.absent.Best() / find.bareAbsent.Best());
    std::printf("%-50s %9.2f  <= %.1f  %s\n", "Find next / floor, the worse of the two", findRatio, kFindTarget,
                findRatio <= kFindTarget ? "met" : "MISSED");

    std::printf("\n%-50s %9s %9s %9s\n", "Switching between the two pages, per switch", "best", "median", "worst");
    Row("SwitchToPage, a change typed before each", switching.program);
    Row("floor: EM_STREAMOUT into a file, hide, show, focus", switching.floor);
    Row("SavePage of the current page alone", switching.savePage);
    std::printf("The program's steps done by hand (%zu KB streamed out):\n", switching.streamedBytes / 1024);
    Row("  EM_STREAMOUT into memory", switching.streamToMemory);
    Row("  create the temporary file", switching.createTemp);
    Row("  EM_STREAMOUT into it with WriteFile", switching.streamToFile);
    Row("  FlushFileBuffers", switching.flush);
    Row("  close, MoveFileExW over the old file", switching.closeAndMove);
    Row("  MoveWindow of the editor shown (same place)", switching.place);
    Row("  show, focus, hide", switching.showHideFocus);
    Row("  SelectionChange (the bars follow the caret)", switching.selection);
    const double ratioBest = switching.program.Best() / switching.floor.Best();
    std::printf("\n%-50s %9s %9s  %s\n", "ratio", "best", "median", "target");
    std::printf("%-50s %9.2f %9.2f  <= %.1f  %s\n", "SwitchToPage / floor", ratioBest,
                switching.program.Median() / switching.floor.Median(), kSwitchTarget,
                ratioBest <= kSwitchTarget ? "met" : "MISSED");
    std::fflush(stdout);

    ClearScratch();
    return findRatio <= kFindTarget && ratioBest <= kSwitchTarget ? 0 : 2;
}
