// Printing driven through the real Print dialog to a PDF printer (CUPS-PDF, set up by scripts/test),
// each job read back as a PDF by poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include "real_input.h"
#include "tavrik_process.h"
#include "test_folder.h"

#include <dlgs.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace tavrik::e2e {
namespace {

constexpr wchar_t kPrinter[] = L"TavrikPDF";
constexpr wchar_t kPage[] = L"PrintMe";  // Latin: Wine's PostScript driver drops other letters of a title

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t folder[MAX_PATH] = {};
        if (!GetEnvironmentVariableW(L"TAVRIK_PDF_FOLDER", folder, MAX_PATH))
            GTEST_SKIP() << "no PDF printer: scripts/test sets one up and names its folder in TAVRIK_PDF_FOLDER";
        pdfFolder_ = L"Z:";
        pdfFolder_ += folder;
        std::replace(pdfFolder_.begin(), pdfFolder_.end(), L'/', L'\\');
        if (pdfFolder_.back() != L'\\') pdfFolder_ += L'\\';
        CreateDirectoryW(pdfFolder_.c_str(), nullptr);
        // The prefix's own default printer: whatever else the machine has, the job goes to PDF.
        ASSERT_TRUE(SetDefaultPrinterW(kPrinter)) << "the printer " << Utf8(kPrinter) << " is not set up";
        before_ = FolderEntries(pdfFolder_);
    }

    // A plain-text page holding `lines`, one a paragraph, shown and in front.
    bool StartWithPage(const std::vector<std::wstring>& lines) {
        std::wstring text;
        for (const std::wstring& line : lines) text += line + L"\r\n";
        WriteUtf16WithBom(folder_.Ini(), std::wstring(L"[Parameters]\r\nLanguage=0\r\nPlain=1\r\nNoTransparency=1\r\n"
                                                      L"MainLeft=100\r\nMainTop=100\r\nMainWidth=640\r\nMainHeight=480\r\n"
                                                      L"[Pages]\r\n") + kPage + L"=16777215*Arial*0*10*0*0*1*\r\n");
        WriteBytes(folder_.PageFile(kPage), "\xEF\xBB\xBF" + Utf8(text));
        return app_.Start() && app_.Show() && app_.FocusPage();
    }

    // Ctrl+P, then the dialog answered with the copies and the range, as a user would.
    void Print(int copies, bool selection) {
        PressChord(VK_CONTROL, 'P');
        const HWND dialog = app_.WaitForDialog(L"Print");
        ASSERT_TRUE(dialog);
        SetDlgItemInt(dialog, edt3, static_cast<UINT>(copies), FALSE);
        if (selection) SendMessageW(GetDlgItem(dialog, rad2), BM_CLICK, 0, 0);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    }

    // The PDFs the printer made since the test began, once their number holds still.
    std::vector<std::wstring> Printed(size_t expected) {
        std::vector<std::wstring> made;
        const auto look = [&] {
            made.clear();
            for (const std::wstring& name : FolderEntries(pdfFolder_))
                if (std::find(before_.begin(), before_.end(), name) == before_.end()) made.push_back(pdfFolder_ + name);
            return made.size() >= expected;
        };
        EXPECT_TRUE(WaitFor(look, 120000)) << made.size() << " of " << expected << " PDF files came";
        Sleep(1000);  // the converter renames a file into place when it is whole; nothing more may come
        look();
        EXPECT_EQ(made.size(), expected);
        return made;
    }

    static std::string Info(const std::wstring& pdf, std::string_view field) {
        const auto info = RunLinuxCommand("pdfinfo " + LinuxPath(pdf));
        if (!info) return {};
        const size_t at = info->find(std::string(field) + ":");
        if (at == std::string::npos) return {};
        const size_t value = info->find_first_not_of(' ', at + field.size() + 1);
        return info->substr(value, info->find('\n', value) - value);
    }
    // The printed lines, blank ones and page breaks left out.
    static std::vector<std::wstring> Lines(const std::wstring& pdf) {
        const auto text = RunLinuxCommand("pdftotext -layout " + LinuxPath(pdf) + " -");
        std::vector<std::wstring> lines;
        std::istringstream in(text.value_or(""));
        for (std::string line; std::getline(in, line);) {
            line.erase(0, line.find_first_not_of(" \f"));
            line.erase(line.find_last_not_of(" \r") + 1);
            if (!line.empty()) lines.push_back(FromUtf8(line));
        }
        return lines;
    }

    ProgramFolder folder_;
    TavrikProcess app_{folder_};
    std::wstring pdfFolder_;
    std::vector<std::wstring> before_;
};

TEST_F(Printing, ThreeCopiesAreThreeJobsTitledWithThePageAndHoldingItsText) {
    const std::vector<std::wstring> page = {L"Shopping list", L"Молоко и хлеб", L"Ёлка: 3 шт."};
    ASSERT_TRUE(StartWithPage(page));
    Print(3, false);
    for (const std::wstring& pdf : Printed(3)) {
        EXPECT_EQ(Info(pdf, "Title"), Utf8(kPage));
        EXPECT_EQ(Lines(pdf), page) << Utf8(pdf);
    }
    app_.FailOnMessageBoxes("after printing");
}

TEST_F(Printing, ALongPageComesOutOnManySheetsWithEveryLineOnceInOrder) {
    std::vector<std::wstring> page;
    for (int i = 1; i <= 1800; ++i) {
        const std::wstring number = std::to_wstring(i);
        page.push_back(L"Line ");
        page.back().append(number).append(L" строка ").append(number);
    }
    ASSERT_TRUE(StartWithPage(page));
    Print(1, false);
    const auto pdfs = Printed(1);
    ASSERT_EQ(pdfs.size(), 1u);
    EXPECT_GE(std::atoi(Info(pdfs[0], "Pages").c_str()), 28);
    EXPECT_EQ(Lines(pdfs[0]), page);
}

TEST_F(Printing, TheSelectionPrintsOnlyTheSelection) {
    ASSERT_TRUE(StartWithPage({L"first line", L"second line", L"third line", L"fourth line"}));
    // From the start of "second" to the end of "third": paragraph breaks count one character.
    SendMessageW(app_.FocusPage(), EM_SETSEL, 11, 33);
    Print(1, true);
    const auto pdfs = Printed(1);
    ASSERT_EQ(pdfs.size(), 1u);
    EXPECT_EQ(Lines(pdfs[0]), (std::vector<std::wstring>{L"second line", L"third line"}));
}

}  // namespace
}  // namespace tavrik::e2e
