// (Win32) TTavrikForm::PrintButtonClick: the current page, or its selection, on paper.
#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/print_layout.h"

#include <cderr.h>
#include <richedit.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>

namespace tavrik::app {
namespace {

// Paper kept blank all round; less where the printer cannot reach that far in.
constexpr int kMarginTenthsOfMm = 200;

// Where the text goes on a sheet, in the printer's units from the corner of its printable area.
struct Sheet {
    HDC dc = nullptr;
    RECT area{};
    int dpiX = 96, dpiY = 96;

    LONG TwipsX(int x) const { return MulDiv(x, 1440, dpiX); }
    LONG TwipsY(int y) const { return MulDiv(y, 1440, dpiY); }
};

Sheet MeasureSheet(HDC dc) {
    Sheet sheet{dc};
    sheet.dpiX = std::max(GetDeviceCaps(dc, LOGPIXELSX), 1);
    sheet.dpiY = std::max(GetDeviceCaps(dc, LOGPIXELSY), 1);
    const int printableW = GetDeviceCaps(dc, HORZRES), printableH = GetDeviceCaps(dc, VERTRES);
    const int paperW = std::max(GetDeviceCaps(dc, PHYSICALWIDTH), printableW);
    const int paperH = std::max(GetDeviceCaps(dc, PHYSICALHEIGHT), printableH);
    const int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    const int marginX = MulDiv(sheet.dpiX, kMarginTenthsOfMm, 254), marginY = MulDiv(sheet.dpiY, kMarginTenthsOfMm, 254);
    sheet.area = {std::max(marginX - offsetX, 0), std::max(marginY - offsetY, 0),
                  std::min(paperW - marginX - offsetX, printableW), std::min(paperH - marginY - offsetY, printableH)};
    if (sheet.area.right - sheet.area.left < sheet.dpiX || sheet.area.bottom - sheet.area.top < sheet.dpiY)
        sheet.area = {0, 0, printableW, printableH};  // a paper too small for margins
    return sheet;
}

struct Outcome {
    int sheets = 0;  // sent to the printer whole
    DWORD error = ERROR_SUCCESS;
};

DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

// One sheet: drawn between StartPage and EndPage; false when the printer refused it.
bool PrintSheet(const Sheet& sheet, Outcome& outcome, const std::function<void()>& draw) {
    if (StartPage(sheet.dc) <= 0) {
        outcome.error = LastErrorOr(ERROR_GEN_FAILURE);
        return false;
    }
    draw();
    if (EndPage(sheet.dc) <= 0) {
        outcome.error = LastErrorOr(ERROR_GEN_FAILURE);
        return false;
    }
    ++outcome.sheets;
    return true;
}

FORMATRANGE SheetRange(const Sheet& sheet, CHARRANGE range) {
    FORMATRANGE format{};
    format.hdc = format.hdcTarget = sheet.dc;
    format.rc = {sheet.TwipsX(sheet.area.left), sheet.TwipsY(sheet.area.top), sheet.TwipsX(sheet.area.right),
                 sheet.TwipsY(sheet.area.bottom)};
    format.rcPage = {0, 0, sheet.TwipsX(GetDeviceCaps(sheet.dc, HORZRES)), sheet.TwipsY(GetDeviceCaps(sheet.dc, VERTRES))};
    format.chrg = range;
    return format;
}

// Whether the control lays out a sheet for the printer. Wine's rich edit does not: it answers
// EM_FORMATRANGE with 0 whatever it is given.
bool ControlCanPrint(HWND editor, const Sheet& sheet, CHARRANGE range) {
    if (range.cpMin >= range.cpMax) return true;  // nothing to lay out
    FORMATRANGE format = SheetRange(sheet, range);
    const LRESULT next = SendMessageW(editor, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&format));
    SendMessageW(editor, EM_FORMATRANGE, FALSE, 0);  // frees what the control kept for the printer
    return next > range.cpMin;
}

// The control draws each sheet, formatting and objects included, from where the last one ended.
Outcome PrintByControl(HWND editor, const Sheet& sheet, CHARRANGE range) {
    Outcome outcome;
    if (range.cpMin >= range.cpMax) {
        PrintSheet(sheet, outcome, [] {});
        return outcome;
    }
    for (LONG at = range.cpMin; at < range.cpMax;) {
        FORMATRANGE format = SheetRange(sheet, {at, range.cpMax});
        LRESULT next = at;
        if (!PrintSheet(sheet, outcome, [&] {
                next = SendMessageW(editor, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&format));
            }))
            break;
        if (next <= at) {  // nothing fitted on a whole sheet: going on would never end
            outcome.error = ERROR_INVALID_DATA;
            break;
        }
        at = static_cast<LONG>(next);
    }
    SendMessageW(editor, EM_FORMATRANGE, FALSE, 0);
    return outcome;
}

// The program draws the text itself, in the page's default font, where the control cannot.
Outcome PrintTextLines(HWND editor, const Sheet& sheet, std::wstring_view text) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    LOGFONTW look{};
    look.lfHeight = -MulDiv(format.yHeight > 0 ? format.yHeight : 200, sheet.dpiY, 1440);
    look.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    look.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    look.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(look.lfFaceName, format.szFaceName, LF_FACESIZE);
    const UniqueFont font(CreateFontIndirectW(&look));
    const HGDIOBJ oldFont = SelectObject(sheet.dc, font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(sheet.dc, &metrics);
    const int lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    const int width = sheet.area.right - sheet.area.left;
    const auto lines = pages::LayOutLines(ToU16(text), [&](std::u16string_view line) {
        int fit = 0;
        SIZE size{};
        (void)GetTextExtentExPointW(sheet.dc, reinterpret_cast<const wchar_t*>(line.data()),
                                    static_cast<int>(std::min<size_t>(line.size(), INT_MAX)), width, &fit, nullptr, &size);
        return static_cast<size_t>(std::max(fit, 0));
    });
    const int perSheet = (sheet.area.bottom - sheet.area.top) / lineHeight;
    Outcome outcome;
    SetBkMode(sheet.dc, TRANSPARENT);
    SetTextColor(sheet.dc, RGB(0, 0, 0));
    for (const auto& lineSet : pages::SplitIntoSheets(lines, perSheet)) {
        // Some printers give every sheet a fresh device context state.
        if (!PrintSheet(sheet, outcome, [&] {
                SelectObject(sheet.dc, font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
                SetBkMode(sheet.dc, TRANSPARENT);
                int y = sheet.area.top;
                for (const std::u16string& line : lineSet) {
                    const std::wstring wide = ToWide(line);
                    TextOutW(sheet.dc, sheet.area.left, y, wide.c_str(), static_cast<int>(wide.size()));
                    y += lineHeight;
                }
            }))
            break;
    }
    SelectObject(sheet.dc, oldFont);
    return outcome;
}

// One print job titled with the page's name.
Outcome PrintJob(const Sheet& sheet, const std::wstring& title, const std::function<Outcome()>& sheets) {
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = title.c_str();
    if (StartDocW(sheet.dc, &document) <= 0) return {0, LastErrorOr(ERROR_GEN_FAILURE)};
    Outcome outcome = sheets();
    if (outcome.error != ERROR_SUCCESS) {
        AbortDoc(sheet.dc);
        return outcome;
    }
    if (EndDoc(sheet.dc) <= 0) outcome.error = LastErrorOr(ERROR_GEN_FAILURE);
    return outcome;
}

}  // namespace

// Each copy is a print job of its own. Where the control cannot print (Wine), the text is printed
// in the page's default font instead, so a printout never comes out empty.
void TTavrikForm::PrintButtonClick() {
    const int index = TabIndex();
    const HWND editor = Editor(index);
    if (!editor) return;
    if (Page(index).unreadable) {  // its editor holds only the reason: there is no text to print
        ShowError(hwnd_, editor::GetText(editor));
        return;
    }
    CHARRANGE selected{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selected));
    const auto choice = ChoosePrinter(hwnd_, selected.cpMax > selected.cpMin);
    if (!choice) return;
    const std::wstring name = PageName(index);
    if (choice->failure == PDERR_NODEFAULTPRN || choice->failure == PDERR_NODEVICES) {
        ShowError(hwnd_, PageText(ui::PageText::NoPrinter));
        return;
    }
    const auto fail = [&](int sheets, DWORD error) {
        const std::wstring reason = SystemErrorText(error);
        ShowError(hwnd_, sheets == 0 ? FormatText(PageText(ui::PageText::PrintFailed), {name, reason})
                                     : FormatText(PageText(ui::PageText::PrintIncomplete),
                                                  {name, std::to_wstring(sheets), reason}));
    };
    if (choice->failure != 0) {
        fail(0, ERROR_GEN_FAILURE);
        return;
    }
    std::vector<BYTE> devMode = choice->devMode;
    if (devMode.size() >= sizeof(DEVMODEW)) {
        auto* mode = reinterpret_cast<DEVMODEW*>(devMode.data());
        mode->dmCopies = 1;  // the copies are ours
    }
    const UniqueDc dc(CreateDCW(choice->driver.empty() ? nullptr : choice->driver.c_str(), choice->device.c_str(),
                                nullptr, devMode.size() >= sizeof(DEVMODEW)
                                             ? reinterpret_cast<const DEVMODEW*>(devMode.data())
                                             : nullptr));
    if (!dc) {
        fail(0, LastErrorOr(ERROR_INVALID_PRINTER_NAME));
        return;
    }
    const Sheet sheet = MeasureSheet(dc.Get());
    CHARRANGE range = selected;
    if (!choice->selection) {
        GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
        range = {0, static_cast<LONG>(SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0))};
    }
    std::function<Outcome()> sheets;
    if (ControlCanPrint(editor, sheet, range)) {
        sheets = [&] { return PrintByControl(editor, sheet, range); };
    } else {
        std::wstring text;
        if (choice->selection) {
            text.resize(static_cast<size_t>(range.cpMax - range.cpMin) + 1);
            text.resize(static_cast<size_t>(SendMessageW(editor, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()))));
        } else {
            text = editor::GetText(editor);
        }
        sheets = [editor, &sheet, text = std::move(text)] { return PrintTextLines(editor, sheet, text); };
    }
    int sent = 0;
    for (int copy = 0; copy < choice->copies; ++copy) {
        const Outcome outcome = PrintJob(sheet, name, sheets);
        sent += outcome.sheets;
        if (outcome.error != ERROR_SUCCESS) {
            fail(sent, outcome.error);
            return;
        }
    }
}

}  // namespace tavrik::app
