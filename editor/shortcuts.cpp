// (Win32) TTavrikForm::AppShortCut: the keys the window answers whatever control has the focus.
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/auto_indent.h"
#include "ui/shortcut_rules.h"

#include <commctrl.h>
#include <richedit.h>

#include <array>

namespace tavrik::app {
namespace {

std::wstring Range(HWND editor, LONG from, LONG to) {
    if (to <= from) return {};
    std::wstring text(static_cast<size_t>(to - from) + 1, L'\0');
    TEXTRANGEW request{{from, to}, text.data()};
    text.resize(static_cast<size_t>(SendMessageW(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request))));
    return text;
}

// The start of the paragraph holding `position`: with word wrap a paragraph spans several lines of
// the control, and only the first of them holds the indent.
LONG ParagraphStart(HWND editor, LONG position) {
    LONG line = static_cast<LONG>(SendMessageW(editor, EM_EXLINEFROMCHAR, 0, position));
    while (line > 0) {
        const LONG previousStart = static_cast<LONG>(SendMessageW(editor, EM_LINEINDEX, line - 1, 0));
        const LONG start = static_cast<LONG>(SendMessageW(editor, EM_LINEINDEX, line, 0));
        const std::wstring last = Range(editor, start - 1, start);
        if (last == L"\r" || last == L"\n" || start <= previousStart) break;
        --line;
    }
    return static_cast<LONG>(SendMessageW(editor, EM_LINEINDEX, line, 0));
}

CHARRANGE Selection(HWND editor) {
    CHARRANGE range{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void ReplaceSelection(HWND editor, const std::wstring& text) {
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));  // one undo step
}

std::wstring LocaleText(bool date) {
    wchar_t buffer[128] = {};
    const int length = date ? GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 128)
                            : GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 128);
    return length > 0 ? std::wstring(buffer) : std::wstring();
}

}  // namespace

bool TTavrikForm::AppShortCut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    std::array<std::uint8_t, 256> keys{};
    (void)GetKeyboardState(keys.data());
    const ui::KeyModifiers modifiers = ui::ModifiersFromKeyState(keys);
    const HWND editor = CurrentEditor();
    if (modifiers == ui::KeyModifiers{} && msg.message == WM_KEYDOWN)
        if (const auto used = FontBoxKey(msg.wParam)) return *used;  // the box's keys, not the window's
    const ui::Shortcut rule = ui::MatchShortcut(static_cast<std::uint32_t>(msg.wParam), modifiers);
    switch (rule) {
    case ui::Shortcut::None:
        return false;
    case ui::Shortcut::Hide:
        FormHide();
        return true;
    case ui::Shortcut::NextPage:
        SelectNextPage(true);
        return true;
    case ui::Shortcut::PrevPage:
        SelectNextPage(false);
        return true;
    case ui::Shortcut::DateTime:
        if (editor && !RefusePut(TabIndex(), true))
            ReplaceSelection(editor, ToWide(ui::DateTimeStamp(ToU16(LocaleText(true)), ToU16(LocaleText(false)))));
        return true;
    case ui::Shortcut::Bold:
    case ui::Shortcut::Italic:
    case ui::Shortcut::Underline: {
        // The button's check turns first, then its command acts on it, as a click does.
        const ui::Cmd button = rule == ui::Shortcut::Bold     ? ui::Cmd::Bold
                               : rule == ui::Shortcut::Italic ? ui::Cmd::Italic
                                                              : ui::Cmd::Underline;
        Toolbars().Check(button, !toolbars_.IsChecked(button));
        if (rule == ui::Shortcut::Bold) ToggleBoldActionExecute();
        else if (rule == ui::Shortcut::Italic) ToggleItalicActionExecute();
        else ToggleUnderlineActionExecute();
        return true;
    }
    case ui::Shortcut::AutoIndent: {
        // Enter as usual; a page that cannot be read takes nothing.
        if (!params.AutoTab || !editor || GetFocus() != editor || RefusePut(TabIndex(), false)) return false;
        const LONG caret = Selection(editor).cpMax;
        const std::wstring left = Range(editor, ParagraphStart(editor, caret), caret);
        ReplaceSelection(editor, ToWide(editor::AutoIndentBreak(ToU16(left), left.size())));
        return true;
    }
    case ui::Shortcut::MenuAtCaret: {
        if (editor) {
            POINTL at{};
            SendMessageW(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), Selection(editor).cpMin);
            POINT screen{at.x, at.y};
            ClientToScreen(editor, &screen);
            ShowEditorMenu(screen);
        }
        return true;
    }
    case ui::Shortcut::ToggleMaximized:
        if (IsZoomed(hwnd_)) {
            ShowWindow(hwnd_, SW_RESTORE);
        } else if (!IsIconic(hwnd_)) {
            ShowWindow(hwnd_, SW_MAXIMIZE);
            if (editor) InvalidateRect(editor, nullptr, TRUE);
        }
        return true;
    case ui::Shortcut::RenamePage:
        RenamePageMenuClick();
        return true;
    case ui::Shortcut::TabMenu:
        ShowTabMenuAtCurrentTab();
        return true;
    case ui::Shortcut::DeleteLine:
        if (editor && !RefusePut(TabIndex(), false)) {
            // The caret's paragraph with its break: the same text however wide the window is.
            const LONG caret = Selection(editor).cpMin;
            const LONG start = ParagraphStart(editor, caret);
            GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
            const LONG length = static_cast<LONG>(SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&count), 0));
            FINDTEXTEXW find{{caret, -1}, L"\r", {}};
            LONG end = static_cast<LONG>(SendMessageW(editor, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)));
            end = end < 0 ? length : end + 1;
            CHARRANGE range{start, end};
            SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            ReplaceSelection(editor, L"");
        }
        return true;
    }
    return false;
}

// The tab strip never takes the keyboard, so its menu comes by key under the current tab, where a
// right click on the tab would open it.
void TTavrikForm::ShowTabMenuAtCurrentTab() {
    const int index = TabIndex();
    if (index < 0 || !TabControl1) return;
    RECT tab{};
    if (!SendMessageW(TabControl1, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab))) return;
    POINT below{tab.left, tab.bottom};
    ClientToScreen(TabControl1, &below);
    TrackPopupMenuEx(Menus().Tab(), TPM_LEFTALIGN | TPM_TOPALIGN, below.x, below.y, hwnd_, nullptr);
}

}  // namespace tavrik::app
