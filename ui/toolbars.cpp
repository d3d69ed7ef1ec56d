// Toolbars on rebar docks.
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

constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

constexpr wchar_t kFloatClass[] = L"TavrikFloatingToolbar";
constexpr int kPullOutAt96 = 24;  // how far past its dock a bar must be pulled to leave it

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
    for (HWND rebar : {top_, bottom_, left_, right_})
        app::comctl::SetWindowSubclass(rebar, RebarProc, 0, reinterpret_cast<DWORD_PTR>(this));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FloatProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFloatClass;
    (void)RegisterClassExW(&wc);  // a second form in the same process finds it registered
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
        if (def.name == u"FormatToolbar") {
            // The font name and size boxes stand on the two places held for them.
            RECT place{};
            SendMessageW(bar.toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&place));
            const int boxHeight = MulDiv(200, static_cast<int>(dpi), 96);
            fontBox_ = CreateWindowExW(0, WC_COMBOBOXW, L"Arial",
                                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT |
                                           CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                       place.left, place.top, place.right - place.left, boxHeight, bar.toolbar,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
            app::comctl::SetWindowSubclass(bar.toolbar, FormatBarProc, 0, reinterpret_cast<DWORD_PTR>(this));
            SendMessageW(bar.toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&place));
            sizeBox_ = CreateWindowExW(0, WC_COMBOBOXW, L"",
                                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                       place.left, place.top, place.right - place.left, boxHeight, bar.toolbar,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
            for (int size : kFontSizes)
                SendMessageW(sizeBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(size).c_str()));
            const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            SendMessageW(fontBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SendMessageW(sizeBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SetWindowTextW(fontBox_, L"Arial");
        }
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
        // A small tool window of its own, with a close button that hides the bar.
        SIZE full{};
        SendMessageW(bar.toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&full));
        RECT frame{0, 0, full.cx, full.cy};
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
        bar.floatWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kFloatClass, L"", style, bar.place.floatLeft,
                                          bar.place.floatTop, frame.right - frame.left, frame.bottom - frame.top,
                                          parent_, nullptr, GetModuleHandleW(nullptr), this);
        SetWindowLongPtrW(bar.floatWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetParent(bar.toolbar, bar.floatWindow);
        MoveWindow(bar.toolbar, 0, 0, full.cx, full.cy, FALSE);
        ShowWindow(bar.toolbar, SW_SHOWNA);
        if (bar.place.visible && windowShown_) ShowWindow(bar.floatWindow, SW_SHOWNOACTIVATE);
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

void ToolbarHost::ShowFloating(bool windowShown) {
    windowShown_ = windowShown;
    for (const Bar& bar : bars_)
        if (bar.floatWindow) ShowWindow(bar.floatWindow, windowShown && bar.place.visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

// Which dock a point over the window is near: the edges of the client area, or a dock itself.
std::u16string ToolbarHost::DockAt(POINT screen) const {
    RECT client{};
    GetClientRect(parent_, &client);
    MapWindowPoints(parent_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, screen)) return {};
    const int margin = MulDiv(kPullOutAt96, static_cast<int>(app::WindowDpi(parent_)), 96);
    RECT rc{};
    for (auto [rebar, dock] : {std::pair{top_, kDockFormat}, std::pair{bottom_, kDockBottom},
                               std::pair{left_, kDockLeft}, std::pair{right_, kDockRight}}) {
        GetWindowRect(rebar, &rc);
        InflateRect(&rc, margin, margin);
        if (PtInRect(&rc, screen)) return std::u16string(dock);
    }
    if (screen.y < client.top + margin) return std::u16string(kDockFormat);
    if (screen.y > client.bottom - margin) return std::u16string(kDockBottom);
    if (screen.x < client.left + margin) return std::u16string(kDockLeft);
    if (screen.x > client.right - margin) return std::u16string(kDockRight);
    return {};
}

void ToolbarHost::Drop(Bar& bar, POINT screen) {
    const std::u16string dock = DockAt(screen);
    if (dock == bar.place.dock) return;
    MoveTo(bar.def->name, dock, screen);
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
    // A dock settles its thickness for the length it got, so each is placed twice.
    const auto thickness = [](HWND rebar) {
        return SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0) ? static_cast<int>(SendMessageW(rebar, RB_GETBARHEIGHT, 0, 0))
                                                          : 0;
    };
    const int width = client.right - client.left;
    for (int pass = 0; pass < 2; ++pass) {
        const int top = thickness(top_), bottom = thickness(bottom_);
        MoveWindow(top_, client.left, client.top, width, top, TRUE);
        MoveWindow(bottom_, client.left, client.bottom - bottom, width, bottom, TRUE);
        const int height = std::max(0, static_cast<int>(client.bottom - client.top) - top - bottom);
        const int left = thickness(left_), right = thickness(right_);
        MoveWindow(left_, client.left, client.top + top, left, height, TRUE);
        MoveWindow(right_, client.right - right, client.top + top, right, height, TRUE);
    }
    return RECT{client.left + thickness(left_), client.top + thickness(top_), client.right - thickness(right_),
                client.bottom - thickness(bottom_)};
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
        // The buttons the dock had no room for, as a menu.
        const auto& chevron = reinterpret_cast<const NMREBARCHEVRON&>(header);
        REBARBANDINFOW band{};
        band.cbSize = REBARBANDINFOW_V6_SIZE;
        band.fMask = RBBIM_CHILD;
        SendMessageW(header.hwndFrom, RB_GETBANDINFOW, chevron.uBand, reinterpret_cast<LPARAM>(&band));
        RECT visible{};
        GetClientRect(band.hwndChild, &visible);
        HMENU menu = CreatePopupMenu();
        const int count = static_cast<int>(SendMessageW(band.hwndChild, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TBBUTTON button{};
            RECT rc{};
            SendMessageW(band.hwndChild, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
            SendMessageW(band.hwndChild, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
            if (button.fsStyle & BTNS_SEP || rc.right <= visible.right) continue;
            const std::wstring text = hint_(static_cast<Cmd>(button.idCommand));
            AppendMenuW(menu, MF_STRING | ((button.fsState & TBSTATE_ENABLED) ? 0 : MF_GRAYED),
                        static_cast<UINT_PTR>(button.idCommand), text.c_str());
        }
        POINT at{chevron.rc.left, chevron.rc.bottom};
        ClientToScreen(header.hwndFrom, &at);
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, parent_, nullptr);
        DestroyMenu(menu);
        result = 0;
        return true;
    }
    return false;
}

// The docks take the skin's colours behind their bars.
LRESULT CALLBACK ToolbarHost::RebarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<ToolbarHost*>(data);
    switch (msg) {
    case WM_NOTIFY:
    case WM_COMMAND:
        // The bars' notices and commands belong to the window.
        return SendMessageW(self->parent_, msg, wp, lp);
    case WM_LBUTTONDOWN: {
        // A gripper grabbed: the dock moves the bar along its rows, and we watch whether it is
        // pulled off the dock altogether.
        RBHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        const int index = static_cast<int>(SendMessageW(hwnd, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        self->dragged_ = index >= 0 && hit.flags == RBHT_GRABBER ? self->BarOfBand(hwnd, index) : nullptr;
        self->draggingOut_ = false;
        break;
    }
    case WM_MOUSEMOVE:
        if (self->dragged_ && (wp & MK_LBUTTON)) {
            POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(hwnd, &at);
            RECT rc{};
            GetWindowRect(hwnd, &rc);
            const int margin = MulDiv(kPullOutAt96, static_cast<int>(app::WindowDpi(hwnd)), 96);
            InflateRect(&rc, margin, margin);
            if (!self->draggingOut_ && !PtInRect(&rc, at)) {
                self->draggingOut_ = true;
                SendMessageW(hwnd, RB_ENDDRAG, 0, 0);
                SetCapture(hwnd);
                SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
            }
            if (self->draggingOut_) return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (self->dragged_ && self->draggingOut_) {
            POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(hwnd, &at);
            Bar* bar = self->dragged_;
            self->dragged_ = nullptr;
            self->draggingOut_ = false;
            ReleaseCapture();
            self->Drop(*bar, at);
            return 0;
        }
        self->dragged_ = nullptr;
        break;
    case WM_CAPTURECHANGED:
        if (self->draggingOut_ && reinterpret_cast<HWND>(lp) != hwnd) {
            self->dragged_ = nullptr;
            self->draggingOut_ = false;
        }
        break;
    case WM_ERASEBKGND:
        if (self->skin_ && self->skin_->Active()) {
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

namespace {
int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM box) {
    // Vertical faces ("@…") are not for writing across a page.
    if (font->lfFaceName[0] != L'@' &&
        SendMessageW(reinterpret_cast<HWND>(box), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(font->lfFaceName)) == CB_ERR)
        SendMessageW(reinterpret_cast<HWND>(box), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    return 1;
}
}  // namespace

// The formatting bar holds the font boxes: it lists the installed fonts when the name box first
// opens, each drawn in its own face, and passes the boxes' notices to the window.
LRESULT CALLBACK ToolbarHost::FormatBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                            DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<ToolbarHost*>(data);
    switch (msg) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lp) == self->fontBox_ && HIWORD(wp) == CBN_DROPDOWN &&
            SendMessageW(self->fontBox_, CB_GETCOUNT, 0, 0) == 0) {
            LOGFONTW all{};
            all.lfCharSet = DEFAULT_CHARSET;
            HDC dc = GetDC(hwnd);
            EnumFontFamiliesExW(dc, &all, AddFace, reinterpret_cast<LPARAM>(self->fontBox_), 0);
            ReleaseDC(hwnd, dc);
        }
        return SendMessageW(self->parent_, msg, wp, lp);
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        measure.itemHeight = static_cast<UINT>(MulDiv(18, static_cast<int>(app::WindowDpi(hwnd)), 96));
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (draw.CtlType != ODT_COMBOBOX) break;
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (draw.itemID == static_cast<UINT>(-1)) return TRUE;
        std::wstring face(static_cast<size_t>(SendMessageW(draw.hwndItem, CB_GETLBTEXTLEN, draw.itemID, 0)), L'\0');
        SendMessageW(draw.hwndItem, CB_GETLBTEXT, draw.itemID, reinterpret_cast<LPARAM>(face.data()));
        // In the list a name shows in its own face; in the box it shows in the box's.
        LOGFONTW lf{};
        lf.lfHeight = -(draw.rcItem.bottom - draw.rcItem.top - 4);
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        const HFONT font = (draw.itemState & ODS_COMBOBOXEDIT) ? nullptr : CreateFontIndirectW(&lf);
        const HGDIOBJ old = font ? SelectObject(draw.hDC, font) : nullptr;
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = draw.rcItem;
        text.left += 2;
        DrawTextW(draw.hDC, face.c_str(), static_cast<int>(face.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (old) SelectObject(draw.hDC, old);
        if (font) DeleteObject(font);
        return TRUE;
    }
    case WM_NCDESTROY:
        app::comctl::RemoveWindowSubclass(hwnd, FormatBarProc, 0);
        break;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

// The window of a floating bar: its close button hides the bar, and a drag that ends over a
// dock puts the bar back on it.
LRESULT CALLBACK ToolbarHost::FloatProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* self = reinterpret_cast<ToolbarHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    Bar* bar = nullptr;
    for (Bar& b : self->bars_)
        if (b.floatWindow == hwnd) bar = &b;
    switch (msg) {
    case WM_NOTIFY:
    case WM_COMMAND:
        return SendMessageW(self->parent_, msg, wp, lp);
    case WM_CLOSE:
        if (bar) {
            self->SetVisible(bar->def->name, false);
            if (self->changed_) self->changed_();
        }
        return 0;
    case WM_EXITSIZEMOVE:
        if (bar) {
            POINT at{};
            GetCursorPos(&at);
            const std::u16string dock = self->DockAt(at);
            if (!dock.empty()) {
                // Posted: this window goes away with the move.
                PostMessageW(hwnd, WM_APP, 0, 0);
            }
        }
        return 0;
    case WM_APP:
        if (bar) {
            POINT at{};
            GetCursorPos(&at);
            self->Drop(*bar, at);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace tavrik::ui
