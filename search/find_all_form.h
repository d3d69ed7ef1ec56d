// (Win32) Find in all pages: a modeless window with a query box and the matches of every page, loaded or not.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "search/matching.h"
#include "search/text_cache.h"

namespace tavrik::app {
class TTavrikForm;
}  // namespace tavrik::app

namespace tavrik::search {

using app::TTavrikForm;

class TFindAllForm {
public:
    explicit TFindAllForm(TTavrikForm& form) : form_(form) {}
    ~TFindAllForm();
    TFindAllForm(const TFindAllForm&) = delete;
    TFindAllForm& operator=(const TFindAllForm&) = delete;

    // Opens the window, or brings it forward, with the query box focused and its text selected.
    void Show();
    HWND Handle() const { return dialog_; }
    bool Open() const { return dialog_ && IsWindowVisible(dialog_); }
    // F3 and Shift+F3 anywhere in the program's windows, and the window's own keys; true: used up.
    bool PreTranslate(MSG& msg);
    void OwnerHidden();  // the window goes with the main window, and comes back with it
    void OwnerShown();
    void SetTexts();     // in the interface language
    void FollowOwnerOnTop();  // stays on top when the main window does, so it stays above it

    // The whole search at once, as the query box would start it.
    void Search(const std::wstring& query, search::SearchOptions options);
    size_t ResultCount() const { return results_.size(); }
    std::wstring ResultPage(size_t index) const { return results_[index].page; }
    // Shows the result's page with the match selected and scrolled into view; false when it is gone.
    bool ShowResult(size_t index, bool focusEditor);
    void Step(bool forward);  // F3, Shift+F3

private:
    struct Result {
        std::wstring page;
        size_t at = 0;       // in the page's text
        size_t length = 0;
        size_t ordinal = 0;  // the page's how-many-th match
        search::ResultLine line;
    };
    struct Job {
        std::u16string query, foldedQuery;
        search::SearchOptions options;
        std::vector<std::wstring> pages;  // names as the search began
        size_t next = 0;
        std::vector<Result> found;
        size_t pagesWithMatches = 0;
        size_t unread = 0;
        size_t tooLarge = 0;
        bool truncated = false;
        bool running = false;
    };

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    static LRESULT CALLBACK QueryBoxProc(HWND box, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) noexcept;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Create();
    void Layout();
    void MakeMarkFont();  // the dialog's font in bold, for the matches
    void OnCommand(WORD id, WORD code);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT DrawLine(NMLVCUSTOMDRAW& draw) const;
    void StartSearch();
    void Continue();
    bool RunSlice(ULONGLONG until);  // true when every page is searched
    void SearchPage(size_t index);
    void Finish();
    void ShowStatus(const std::wstring& text) const;
    int PageIndexOf(const std::wstring& name) const;
    int Selected() const;
    void Select(int index);
    search::SearchOptions OptionsChecked() const;
    void Close();

    TTavrikForm& form_;
    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
    HFONT markFont_ = nullptr;
    bool hiddenWithOwner_ = false;
    Job job_;
    std::vector<Result> results_;
    search::PageTextCache cache_;
    std::u16string query_;  // the query and options of the results listed
    search::SearchOptions options_;
};

}  // namespace tavrik::search
