// (Win32) Toolbars on rebar docks: making them, putting them on their docks, and placing the docks.
#include "ui/toolbars.h"
#include "app/comctl.h"

#include <windowsx.h>

#include <algorithm>

#include "app/dyn_api.h"
#include "app/text.h"
#include "settings/settings_file.h"
#include "ui/skin.h"

namespace tavrik::ui {
namespace {

HWND MakeRebar(HWND parent, bool vertical) {
    return CreateWindowExW(0, REBARCLASSNAMEW, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                               RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE |
                               (vertical ? CCS_VERT : 0),
                           0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

bool IsSide(std::u16string_view dock) { return dock == kDockLeft || dock == kDockRight; }

// A bar on a side dock stands upright: one button a row.
void SetUpright(HWND toolbar, bool upright) {
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        const BYTE state = upright ? (button.fsState | TBSTATE_WRAP) : (button.fsState & ~TBSTATE_WRAP);
        SendMessageW(toolbar, TB_SETSTATE, static_cast<WPARAM>(button.idCommand), state);
    }
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

// A dock lays its bars out in rows for the length it has, and fills any thickness it is given
// beyond them with more rows, which it keeps for good: three bars once laid out on a dock of no
// length came back three rows high. So a dock gets its new length at no thickness first, and
// this returns the thickness its rows then take.
int SettleDock(HWND rebar, bool upright, int length) {
    SetWindowPos(rebar, nullptr, 0, 0, upright ? 0 : std::max(0, length), upright ? std::max(0, length) : 0,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    return SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0) ? static_cast<int>(SendMessageW(rebar, RB_GETBARHEIGHT, 0, 0))
                                                      : 0;
}

}  // namespace

void ToolbarHost::Create(HWND parent, const Skin* skin, std::function<std::wstring(Cmd)> hint,
                         std::function<void()> changed) {
    parent_ = parent;
    skin_ = skin;
    hint_ = std::move(hint);
    changed_ = std::move(changed);
    UINT bandId = 1;
    for (const ToolbarDef& def : Toolbars()) {
        Bar bar;
        bar.def = &def;
        bar.bandId = bandId++;
        bar.place = DesignedPlace(def.name);
        bars_.push_back(bar);
    }
}

// Wine takes some 60 ms to make the docks and bars, and nobody sees them while the window is
// hidden: they are made when the program is first idle, or when something needs them sooner.
void ToolbarHost::Build(HIMAGELIST images, HIMAGELIST disabledImages, int imagePixels) {
    if (built_) return;
    built_ = true;
    const HWND parent = parent_;
    const UINT dpi = app::WindowDpi(parent);
    top_ = MakeRebar(parent, false);
    bottom_ = MakeRebar(parent, false);
    left_ = MakeRebar(parent, true);
    right_ = MakeRebar(parent, true);
    for (HWND rebar : {top_, bottom_, left_, right_}) {
        app::comctl::SetWindowSubclass(rebar, RebarProc, 0, reinterpret_cast<DWORD_PTR>(this));
        DescribeDock(rebar);
    }
    RegisterFloatClass();
    for (Bar& bar : bars_) {
        const ToolbarDef& def = *bar.def;
        bar.toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, std::wstring(app::ToWide(def.name)).c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                          TBSTYLE_TRANSPARENT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                                      0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(bar.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageW(bar.toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_HIDECLIPPEDBUTTONS);
        SendMessageW(bar.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        SendMessageW(bar.toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages));
        SendMessageW(bar.toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(imagePixels, imagePixels));
        std::vector<TBBUTTON> buttons;
        for (const ToolbarButton& b : def.buttons) {
            TBBUTTON button{};
            if (b.cmd == Cmd::None) {
                // A place held for a box: a separator as wide as the box.
                button.iBitmap = MulDiv(b.boxWidthAt96, static_cast<int>(dpi), 96);
                button.fsStyle = BTNS_SEP;
            } else {
                button.iBitmap = b.image;
                button.idCommand = static_cast<int>(b.cmd);
                button.fsState = TBSTATE_ENABLED;
                button.fsStyle = static_cast<BYTE>(BTNS_BUTTON | (b.check ? BTNS_CHECK : 0) | (b.radio ? BTNS_GROUP : 0));
            }
            buttons.push_back(button);
        }
        SendMessageW(bar.toolbar, TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        SendMessageW(bar.toolbar, TB_AUTOSIZE, 0, 0);
        if (def.name == u"FormatToolbar") MakeFontBoxes(bar.toolbar, dpi);
        DescribeBar(bar);
    }
    DockAll();
}

void ToolbarHost::SetImages(HIMAGELIST images, HIMAGELIST disabledImages, int imagePixels) {
    if (!built_) return;
    for (Bar& bar : bars_) {
        SendMessageW(bar.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        SendMessageW(bar.toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages));
        SendMessageW(bar.toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(imagePixels, imagePixels));
        SendMessageW(bar.toolbar, TB_AUTOSIZE, 0, 0);
    }
    for (Bar& bar : bars_) bar.place = PlaceOf(bar.def->name);  // where the user left them
    DockAll();  // the bands take the bars' new sizes
}

HWND ToolbarHost::RebarOf(std::u16string_view dock) const {
    if (dock == kDockFormat || dock == kDockMenu) return top_;
    if (dock == kDockLeft) return left_;
    if (dock == kDockRight) return right_;
    if (dock == kDockBottom) return bottom_;
    return nullptr;  // floating
}

ToolbarHost::Bar* ToolbarHost::BarOf(std::u16string_view name) {
    for (Bar& bar : bars_)
        if (bar.def->name == name) return &bar;
    return nullptr;
}

ToolbarHost::Bar* ToolbarHost::BarOfBand(HWND rebar, int index) {
    REBARBANDINFOW band{};
    band.cbSize = REBARBANDINFOW_V6_SIZE;
    band.fMask = RBBIM_ID;
    if (!SendMessageW(rebar, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band))) return nullptr;
    for (Bar& bar : bars_)
        if (bar.bandId == band.wID) return &bar;
    return nullptr;
}

HWND ToolbarHost::FloatWindow(std::u16string_view name) const {
    for (const Bar& bar : bars_)
        if (bar.def->name == name) return bar.floatWindow;
    return nullptr;
}

// Takes a bar off its dock or out of its floating window.
void ToolbarHost::Undock(Bar& bar) {
    if (const HWND rebar = RebarOf(bar.place.dock)) {
        const int index = static_cast<int>(SendMessageW(rebar, RB_IDTOINDEX, bar.bandId, 0));
        if (index >= 0) SendMessageW(rebar, RB_DELETEBAND, index, 0);
    }
    SetParent(bar.toolbar, parent_);
    ShowWindow(bar.toolbar, SW_HIDE);
    if (bar.floatWindow) {
        DestroyWindow(bar.floatWindow);
        bar.floatWindow = nullptr;
    }
}

void ToolbarHost::Dock(Bar& bar) {
    SetUpright(bar.toolbar, IsSide(bar.place.dock));
    if (bar.place.Floating()) {
        Float(bar);
        return;
    }
    ShowWindow(bar.toolbar, SW_SHOWNA);
    SIZE full{};
    SendMessageW(bar.toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&full));
    const DWORD buttonSize = static_cast<DWORD>(SendMessageW(bar.toolbar, TB_GETBUTTONSIZE, 0, 0));
    REBARBANDINFOW band{};
    band.cbSize = REBARBANDINFOW_V6_SIZE;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_ID | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE | (bar.def->chevron ? RBBS_USECHEVRON : 0) |
                  (bar.place.visible ? 0 : RBBS_HIDDEN);
    band.hwndChild = bar.toolbar;
    band.cxMinChild = 0;
    band.cyMinChild = HIWORD(buttonSize);
    band.cyChild = HIWORD(buttonSize);
    const bool upright = IsSide(bar.place.dock);
    band.cyMinChild = upright ? full.cx : HIWORD(buttonSize);
    band.cyChild = band.cyMinChild;
    band.cx = (upright ? full.cy : full.cx) + 16;
    band.cxIdeal = upright ? full.cy : full.cx;
    band.wID = bar.bandId;
    const HWND rebar = RebarOf(bar.place.dock);
    // A new row for a bar whose row is below the last one's.
    const int count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
    if (count > 0) {
        for (const Bar& other : bars_)
            if (other.bandId != bar.bandId && RebarOf(other.place.dock) == rebar && other.place.row < bar.place.row &&
                SendMessageW(rebar, RB_IDTOINDEX, other.bandId, 0) >= 0) {
                band.fStyle |= RBBS_BREAK;
                break;
            }
    }
    SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void ToolbarHost::Load(const settings::IniFile& ini) {
    const settings::IniDocument document = ini.Read();  // one read for every bar
    for (Bar& bar : bars_) {
        auto place = ReadBarPlace(document.Entries(bar.def->name));
        // The font boxes cannot stand upright, and the menu bar's dock is the menu bar's.
        if (place && (place->dock == kDockMenu || (bar.def->name == u"FormatToolbar" && IsSide(place->dock))))
            place.reset();
        if (place) bar.place = *place;
    }
    if (built_) DockAll();
}

void ToolbarHost::DockAll() {
    for (Bar& bar : bars_) Undock(bar);
    // A bar put on a dock of no length would take a row of its own: the docks get their length
    // before their bars.
    RECT client{};
    GetClientRect(parent_, &client);
    for (HWND rebar : {top_, bottom_}) (void)SettleDock(rebar, false, client.right - client.left);
    for (HWND rebar : {left_, right_}) (void)SettleDock(rebar, true, client.bottom - client.top);
    std::vector<Bar*> order;
    for (Bar& bar : bars_) order.push_back(&bar);
    std::stable_sort(order.begin(), order.end(), [](const Bar* a, const Bar* b) {
        return std::pair(a->place.row, a->place.pos) < std::pair(b->place.row, b->place.pos);
    });
    for (Bar* bar : order) Dock(*bar);
}

void ToolbarHost::MoveTo(std::u16string_view name, std::u16string_view dock, POINT floatAt) {
    Bar* bar = BarOf(name);
    if (!bar || (name == u"FormatToolbar" && IsSide(dock))) return;
    if (built_) Undock(*bar);
    bar->place.dock = std::u16string(dock);
    bar->place.floatLeft = floatAt.x;
    bar->place.floatTop = floatAt.y;
    // On its new dock the bar takes a row of its own below the others.
    int rows = 0;
    if (const HWND rebar = RebarOf(dock)) rows = static_cast<int>(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0));
    bar->place.row = rows;
    bar->place.pos = 0;
    if (built_) Dock(*bar);
    if (changed_) changed_();
}

BarPlace ToolbarHost::PlaceOf(std::u16string_view name) const {
    for (const Bar& bar : bars_) {
        if (bar.def->name != name) continue;
        BarPlace place = bar.place;
        if (!built_) return place;
        if (place.Floating()) {
            RECT rc{};
            if (bar.floatWindow && GetWindowRect(bar.floatWindow, &rc)) {
                place.floatLeft = rc.left;
                place.floatTop = rc.top;
            }
            return place;
        }
        const HWND rebar = RebarOf(place.dock);
        const int index = static_cast<int>(SendMessageW(rebar, RB_IDTOINDEX, bar.bandId, 0));
        if (index < 0) return place;
        REBARBANDINFOW band{};
        band.cbSize = REBARBANDINFOW_V6_SIZE;
        band.fMask = RBBIM_STYLE;
        SendMessageW(rebar, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
        place.visible = !(band.fStyle & RBBS_HIDDEN);
        RECT rc{};
        SendMessageW(rebar, RB_GETRECT, index, reinterpret_cast<LPARAM>(&rc));
        // Rows are told apart by where they start across the dock.
        const bool upright = IsSide(place.dock);
        int row = 0;
        int lastStart = -1;
        const int count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i <= index && i < count; ++i) {
            RECT other{};
            SendMessageW(rebar, RB_GETRECT, i, reinterpret_cast<LPARAM>(&other));
            const int start = upright ? other.left : other.top;
            if (lastStart >= 0 && start > lastStart) ++row;
            lastStart = std::max(lastStart, start);
        }
        place.row = row;
        place.pos = upright ? rc.top : rc.left;
        return place;
    }
    return DesignedPlace(name);
}

void ToolbarHost::Save(const settings::IniFile& ini) const {
    (void)ini.Edit([&](settings::IniEdit& edit) {  // every bar in one write; a refusal was reported
        for (const Bar& bar : bars_)
            edit.Document().ReplaceSection(bar.def->name, WriteBarPlace(PlaceOf(bar.def->name)));
    });
}

RECT ToolbarHost::Arrange(RECT client) const {
    if (!built_) return client;
    const int width = client.right - client.left;
    const int top = SettleDock(top_, false, width), bottom = SettleDock(bottom_, false, width);
    const int height = std::max(0, static_cast<int>(client.bottom - client.top) - top - bottom);
    const int left = SettleDock(left_, true, height), right = SettleDock(right_, true, height);
    MoveWindow(top_, client.left, client.top, width, top, TRUE);
    MoveWindow(bottom_, client.left, client.bottom - bottom, width, bottom, TRUE);
    MoveWindow(left_, client.left, client.top + top, left, height, TRUE);
    MoveWindow(right_, client.right - right, client.top + top, right, height, TRUE);
    return RECT{client.left + left, client.top + top, client.right - right, client.bottom - bottom};
}

bool ToolbarHost::IsVisible(std::u16string_view bar) const { return PlaceOf(bar).visible; }

void ToolbarHost::SetVisible(std::u16string_view name, bool visible) {
    for (Bar& bar : bars_) {
        if (bar.def->name != name) continue;
        bar.place.visible = visible;
        if (bar.floatWindow) ShowWindow(bar.floatWindow, visible && windowShown_ ? SW_SHOWNOACTIVATE : SW_HIDE);
        const HWND rebar = RebarOf(bar.place.dock);
        const int index = rebar ? static_cast<int>(SendMessageW(rebar, RB_IDTOINDEX, bar.bandId, 0)) : -1;
        if (index >= 0) SendMessageW(rebar, RB_SHOWBAND, index, visible);
    }
}

void ToolbarHost::Enable(Cmd cmd, bool enabled) const {
    for (const Bar& bar : bars_) SendMessageW(bar.toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(cmd), enabled);
}

void ToolbarHost::Check(Cmd cmd, bool checked) const {
    for (const Bar& bar : bars_) SendMessageW(bar.toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(cmd), checked);
}

bool ToolbarHost::IsChecked(Cmd cmd) const {
    for (const Bar& bar : bars_) {
        // -1 from a bar without the button: only a bar that has it answers.
        const LRESULT state = bar.toolbar ? SendMessageW(bar.toolbar, TB_GETSTATE, static_cast<WPARAM>(cmd), 0) : -1;
        if (state != -1) return (state & TBSTATE_CHECKED) != 0;
    }
    return false;
}

void ToolbarHost::Repaint() const {
    for (HWND rebar : {top_, bottom_, left_, right_})
        RedrawWindow(rebar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool ToolbarHost::OnNotify(const NMHDR& header, LRESULT& result) const {
    const auto isOurs = [&](HWND hwnd) {
        for (const Bar& bar : bars_)
            if (bar.toolbar == hwnd) return true;
        return false;
    };
    if (header.code == NM_CUSTOMDRAW && isOurs(header.hwndFrom)) {
        result = skin_->ToolbarCustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
        return true;
    }
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
        static std::wstring text;  // must outlive this notice
        text = hint_(static_cast<Cmd>(header.idFrom));
        info.lpszText = text.data();
        info.hinst = nullptr;
        result = 0;
        return true;
    }
    if (header.code == RBN_CHEVRONPUSHED) {
        ShowChevronMenu(reinterpret_cast<const NMREBARCHEVRON&>(header));
        result = 0;
        return true;
    }
    return false;
}

// A dock passes its bars' notices to the window, watches its grippers and chevrons, and takes the
// skin's colours behind its bars.
LRESULT CALLBACK ToolbarHost::RebarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<ToolbarHost*>(data);
    switch (msg) {
    case WM_NOTIFY:
    case WM_COMMAND:
        // The bars' notices and commands belong to the window.
        return SendMessageW(self->parent_, msg, wp, lp);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        self->RelayToChevronTip(hwnd, msg, wp, lp);
        if (self->OnDockMouse(hwnd, msg, wp, lp)) return 0;
        break;
    case WM_ERASEBKGND:
        if (self->skin_ && self->skin_->PaintsBars()) {
            RECT rc{};
            GetClientRect(hwnd, &rc);
            self->skin_->PaintBarBackground(reinterpret_cast<HDC>(wp), rc, false);
            return 1;
        }
        break;
    case WM_NCDESTROY:
        app::comctl::RemoveWindowSubclass(hwnd, RebarProc, 0);
        break;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace tavrik::ui
