// (Win32) The chevron of a bar short of room on its dock: a menu of the buttons left out, and a hint.
#include "ui/toolbars.h"

#include <windowsx.h>

#include <iterator>

#include "app/text.h"
#include "app/unique.h"
#include "ui/language_tables.h"

namespace tavrik::ui {
namespace {

constexpr UINT_PTR kChevronTool = 1;

}  // namespace

RECT ChevronAround(HWND rebar, int band, POINT at) {
    const bool upright = (GetWindowLongPtrW(rebar, GWL_STYLE) & CCS_VERT) != 0;
    const auto onChevron = [&](int along) {
        RBHITTESTINFO hit{};
        hit.pt = upright ? POINT{at.x, along} : POINT{along, at.y};
        return SendMessageW(rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == band && hit.flags == RBHT_CHEVRON;
    };
    const int start = upright ? at.y : at.x;
    int from = start, to = start;
    while (onChevron(from - 1)) --from;
    while (onChevron(to + 1)) ++to;
    RECT rc{};
    SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&rc));
    if (upright) {
        rc.top = from;
        rc.bottom = to + 1;
    } else {
        rc.left = from;
        rc.right = to + 1;
    }
    return rc;
}

// The hint is the same in both languages, as it was always stored.
void ToolbarHost::MakeChevronTip(HWND rebar) {
    const HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, rebar, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    static const std::wstring hint = app::ToWide(kChevronHint);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = rebar;
    tool.uId = kChevronTool;
    tool.lpszText = const_cast<wchar_t*>(hint.c_str());
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (ChevronTip* chevronTip = ChevronTipOf(rebar)) chevronTip->tip = tip;
}

ToolbarHost::ChevronTip* ToolbarHost::ChevronTipOf(HWND rebar) {
    const HWND docks[] = {top_, bottom_, left_, right_};
    for (size_t i = 0; i < std::size(docks); ++i)
        if (docks[i] == rebar) return &chevronTips_[i];
    return nullptr;
}

// The tool follows the pointer onto a chevron and off it again; the tooltip sees the mouse
// through us, as the dock keeps it. It is made when the mouse first comes onto a chevron: each
// window the main window owns, hidden or not, is reordered with it at every hide (some 0.25 ms
// each under Wine), and most sessions never point at a chevron.
void ToolbarHost::RelayToChevronTip(HWND rebar, UINT msg, WPARAM wp, LPARAM lp) {
    ChevronTip* chevronTip = ChevronTipOf(rebar);
    if (!chevronTip || (msg != WM_MOUSEMOVE && msg != WM_LBUTTONDOWN && msg != WM_LBUTTONUP)) return;
    if (msg == WM_MOUSEMOVE) {
        RBHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        const int band = static_cast<int>(SendMessageW(rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        RECT tool{};
        if (band >= 0 && hit.flags == RBHT_CHEVRON) {
            tool = chevronTip->tool;
            if (!PtInRect(&tool, hit.pt)) tool = ChevronAround(rebar, band, hit.pt);
        }
        if (!chevronTip->tip && !IsRectEmpty(&tool)) MakeChevronTip(rebar);
        if (!chevronTip->tip) return;
        if (!EqualRect(&tool, &chevronTip->tool)) {
            chevronTip->tool = tool;
            TTTOOLINFOW info{};
            info.cbSize = sizeof info;
            info.hwnd = rebar;
            info.uId = kChevronTool;
            info.rect = tool;
            SendMessageW(chevronTip->tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
    if (!chevronTip->tip) return;
    MSG relayed{rebar, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(chevronTip->tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// The buttons the dock had no room for, as a menu.
void ToolbarHost::ShowChevronMenu(const NMREBARCHEVRON& chevron) const {
    REBARBANDINFOW band{};
    band.cbSize = REBARBANDINFOW_V6_SIZE;
    band.fMask = RBBIM_CHILD;
    SendMessageW(chevron.hdr.hwndFrom, RB_GETBANDINFOW, chevron.uBand, reinterpret_cast<LPARAM>(&band));
    RECT visible{};
    GetClientRect(band.hwndChild, &visible);
    const app::UniqueMenu menu(CreatePopupMenu());
    const int count = static_cast<int>(SendMessageW(band.hwndChild, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT rc{};
        SendMessageW(band.hwndChild, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        SendMessageW(band.hwndChild, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
        if (button.fsStyle & BTNS_SEP || rc.right <= visible.right) continue;
        const std::wstring text = hint_(static_cast<Cmd>(button.idCommand));
        AppendMenuW(menu.Get(), MF_STRING | ((button.fsState & TBSTATE_ENABLED) ? 0 : MF_GRAYED),
                    static_cast<UINT_PTR>(button.idCommand), text.c_str());
    }
    POINT at{chevron.rc.left, chevron.rc.bottom};
    ClientToScreen(chevron.hdr.hwndFrom, &at);
    TrackPopupMenuEx(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, parent_, nullptr);
}

}  // namespace tavrik::ui
