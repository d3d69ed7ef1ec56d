// (Win32) TTavrikForm's Replace: the system's modeless Replace dialog over the current page, with
// match case and whole words; Replace all keeps the format of the text and is one step of Undo where
// the control can group edits.
#include "app/tavrik_form.h"

#include <commdlg.h>
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <string>

#include "app/error_box.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "editor/replace_rule.h"
#include "editor/text_mode.h"
#include "search/text_cache.h"
#include "ui/replace_texts.h"

namespace tavrik::app {
namespace {

// {8CC497C0-A1DF-11CE-8098-00AA0047BE5D}, defined here so no import library need carry it.
constexpr GUID kIidTextDocument = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

// What is looked for in the editor's text as it is now, both folded for a search without case.
struct EditorQuery {
    std::u16string text, foldedText, query, foldedQuery;

    EditorQuery(HWND editor, std::wstring_view what)
        : text(editor::CaretText(editor)), foldedText(search::FoldCase(text)), query(ToU16(what)),
          foldedQuery(search::FoldCase(query)) {}
    editor::PageQuery With(search::SearchOptions options) const {
        return {text, foldedText, query, foldedQuery, options, editor::IsWordChar};
    }
};

void Select(HWND editor, LONG from, LONG to) {
    CHARRANGE range{from, to};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void ReplaceSelection(HWND editor, std::wstring_view with) {
    const std::wstring text(with);
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// The match at [from, to) becomes `with`, in the format of the match's first character. Wine's
// control gives inserted text the format of the text inserted before, so it is set by hand.
void ReplaceRange(HWND editor, LONG from, LONG to, std::wstring_view with) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    const bool rich = !editor::IsPlainText(editor);
    if (rich) {
        Select(editor, from, from + 1);
        SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    }
    Select(editor, from, to);
    ReplaceSelection(editor, with);
    if (!rich || with.empty()) return;
    Select(editor, from, from + static_cast<LONG>(with.size()));
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// While it lives, the control takes every edit as one step of Undo, where it can: the Text Object
// Model's edit collection. Wine's control has no such thing (BeginEditCollection says E_NOTIMPL).
class EditCollection {
public:
    explicit EditCollection(HWND editor) {
        IRichEditOle* ole = nullptr;
        if (!SendMessageW(editor, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return;
        ITextDocument* document = nullptr;
        if (SUCCEEDED(ole->QueryInterface(kIidTextDocument, reinterpret_cast<void**>(&document))) && document) {
            if (document->BeginEditCollection() == S_OK) document_ = document;
            else document->Release();
        }
        ole->Release();
    }
    ~EditCollection() {
        if (!document_) return;
        (void)document_->EndEditCollection();  // nothing to do about it: the text is right either way
        document_->Release();
    }
    EditCollection(const EditCollection&) = delete;
    EditCollection& operator=(const EditCollection&) = delete;
    bool Grouped() const { return document_ != nullptr; }

private:
    ITextDocument* document_ = nullptr;
};

// Replaces the matches (offsets into `text`, last first so the earlier ones stay where they are).
void ReplaceEach(HWND editor, const std::vector<size_t>& matches, size_t length, std::wstring_view with) {
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
        const auto at = static_cast<LONG>(*it);
        ReplaceRange(editor, at, at + static_cast<LONG>(length), with);
    }
}

// A plain page where the control cannot group edits: the stretch from the first match to the end
// of the last becomes its new text in one replace, which Undo takes back in one step. A plain page
// has no format to lose; a rich one would lose the format of the whole stretch, so it is not done
// there (Wine's control, which groups nothing, then takes one step of Undo a match).
void ReplaceInOnePiece(HWND editor, std::u16string_view text, const std::vector<size_t>& matches, size_t length,
                       std::wstring_view with) {
    const size_t first = matches.front(), end = matches.back() + length;
    std::wstring piece;
    size_t from = first;
    for (const size_t at : matches) {
        piece.append(ToWide(text.substr(from, at - from))).append(with);
        from = at + length;
    }
    Select(editor, static_cast<LONG>(first), static_cast<LONG>(end));
    ReplaceSelection(editor, piece);
}

}  // namespace

void TTavrikForm::ReplaceMenuItemClick() {
    if (findDialog_ && findRequest_.lpstrReplaceWith) {
        SetFocus(findDialog_);
        return;
    }
    if (findDialog_) {  // Find is open: one of the two at a time
        DestroyWindow(findDialog_);
        MyFindClose();
    }
    OpenFindDialog(true);
}

void TTavrikForm::OnReplaceMessage(const FINDREPLACEW& request) {
    const search::SearchOptions options{(request.Flags & FR_MATCHCASE) != 0, (request.Flags & FR_WHOLEWORD) != 0};
    const std::wstring_view what = request.lpstrFindWhat, with = request.lpstrReplaceWith;
    bool found = true;
    if (request.Flags & FR_REPLACEALL) {
        const size_t count = ReplaceAll(what, with, options);
        if (count > 0) {
            (void)ShowMessage(findDialog_, ToWide(ui::ReplacedCountText(count, InterfaceLanguage())), AppTitle(),
                              MB_OK | MB_ICONINFORMATION);
            return;
        }
        found = false;
    } else if (request.Flags & FR_REPLACE) {
        found = ReplaceNext(what, with, options);
    } else if (request.Flags & FR_FINDNEXT) {
        found = FindNext(what, options);
    }
    if (!found && !what.empty()) {
        const std::wstring pattern = ToWide(ui::EditOpenTextIn(ui::EditOpenText::NotFound, InterfaceLanguage()));
        (void)ShowMessage(findDialog_, FormatText(pattern, {what}), AppTitle(), MB_OK | MB_ICONINFORMATION);
    }
}

// From the end of the selection, or from the start when nothing is selected, as Find does.
bool TTavrikForm::FindNext(std::wstring_view what, search::SearchOptions options) {
    const HWND editor = CurrentEditor();
    if (!editor || what.empty()) return false;
    CHARRANGE selection{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const EditorQuery q(editor, what);
    const auto at =
        editor::NextMatch(q.With(options), selection.cpMax > selection.cpMin ? static_cast<size_t>(selection.cpMax) : 0);
    if (!at) return false;
    Select(editor, static_cast<LONG>(*at), static_cast<LONG>(*at + q.query.size()));
    SendMessageW(editor, EM_SCROLLCARET, 0, 0);
    return true;
}

// The selection, when it is a match, is replaced; then the next match is selected.
bool TTavrikForm::ReplaceNext(std::wstring_view what, std::wstring_view with, search::SearchOptions options) {
    const HWND editor = CurrentEditor();
    if (!editor || what.empty()) return false;
    if (GetWindowLongPtrW(editor, GWL_STYLE) & ES_READONLY) return false;  // a page that could not be read
    CHARRANGE selection{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMax - selection.cpMin == static_cast<LONG>(what.size())) {
        const EditorQuery q(editor, what);
        if (editor::NextMatch(q.With(options), static_cast<size_t>(selection.cpMin)) ==
            static_cast<size_t>(selection.cpMin)) {
            ReplaceRange(editor, selection.cpMin, selection.cpMax, with);
            const auto after = static_cast<LONG>(selection.cpMin + with.size());
            Select(editor, after, after);
            if (!FindNext(what, options)) Select(editor, after, after);
            return true;
        }
    }
    return FindNext(what, options);
}

size_t TTavrikForm::ReplaceAll(std::wstring_view what, std::wstring_view with, search::SearchOptions options) {
    const HWND editor = CurrentEditor();
    if (!editor || what.empty()) return 0;
    if (GetWindowLongPtrW(editor, GWL_STYLE) & ES_READONLY) return 0;
    const EditorQuery q(editor, what);
    const std::u16string& text = q.text;
    const std::u16string& query = q.query;
    const std::vector<size_t> matches = editor::MatchesToReplace(q.With(options));
    if (matches.empty()) return 0;
    SendMessageW(editor, EM_STOPGROUPTYPING, 0, 0);  // what was typed before stays a step of its own
    SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
    {
        const EditCollection collection(editor);
        if (!collection.Grouped() && editor::IsPlainText(editor)) ReplaceInOnePiece(editor, text, matches, query.size(), with);
        else ReplaceEach(editor, matches, query.size(), with);
    }
    SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor, nullptr, TRUE);
    const LONG shift = (static_cast<LONG>(with.size()) - static_cast<LONG>(query.size())) *
                       static_cast<LONG>(matches.size() - 1);
    const LONG end = static_cast<LONG>(matches.back() + with.size()) + shift;
    Select(editor, end, end);  // after the last replacement
    SendMessageW(editor, EM_SCROLLCARET, 0, 0);
    NoteChange(editor);  // the page is saved as after any edit
    return matches.size();
}

}  // namespace tavrik::app
