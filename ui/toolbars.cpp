// Toolbars on rebar docks.
#include "ui/toolbars.h"

#include <algorithm>

#include "app/text.h"
#include "settings/settings_file.h"
#include "ui/skin.h"

namespace tavrik::ui {
namespace {

constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

HWND MakeRebar(HWND parent) {
    return CreateWindowExW(0, REBARCLASSNAMEW, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                               RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                           0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void ToolbarHost::Create(HWND parent, HIMAGELIST images, HIMAGELIST disabledImages, int imagePixels, UINT dpi,
                         const Skin* skin,
                         std::function<std::wstring(Cmd)> hint) {
    parent_ = parent;
    skin_ = skin;
    hint_ = std::move(hint);
    top_ = MakeRebar(parent);
    bottom_ = MakeRebar(parent);
    for (HWND rebar : {top_, bottom_}) SetWindowSubclass(rebar, RebarProc, 0, reinterpret_cast<DWORD_PTR>(this));
    UINT bandId = 1;
    for (const ToolbarDef& def : Toolbars()) {
        Bar bar;
        bar.def = &def;
        bar.bandId = bandId++;
        bar.place = DesignedPlace(def.name);
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
                                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT,
                                       place.left, place.top, place.right - place.left, boxHeight, bar.toolbar,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
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
        bars_.push_back(bar);
    }
}

HWND ToolbarHost::RebarOf(std::u16string_view dock) const { return dock == kDockFormat ? top_ : bottom_; }

void ToolbarHost::Dock(const Bar& bar) const {
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
    band.cx = full.cx + 16;
    band.cxIdeal = full.cx;
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
    for (Bar& bar : bars_) {
        SectionKeys keys;
        for (auto& [key, value] : ini.ReadSectionEntries(app::ToWide(bar.def->name)))
            keys.emplace_back(app::ToU16(key), app::ToU16(value));
        auto place = ReadBarPlace(keys);
        // The side docks hold no toolbar yet: a bar stored there goes back to its designed dock.
        if (place && place->dock != kDockFormat && place->dock != kDockBottom) place.reset();
        if (place) bar.place = *place;
    }
    for (HWND rebar : {top_, bottom_})
        while (SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0) > 0) SendMessageW(rebar, RB_DELETEBAND, 0, 0);
    std::vector<const Bar*> order;
    for (const Bar& bar : bars_) order.push_back(&bar);
    std::stable_sort(order.begin(), order.end(), [](const Bar* a, const Bar* b) {
        return std::pair(a->place.row, a->place.pos) < std::pair(b->place.row, b->place.pos);
    });
    for (const Bar* bar : order) Dock(*bar);
}

BarPlace ToolbarHost::PlaceOf(std::u16string_view name) const {
    for (const Bar& bar : bars_) {
        if (bar.def->name != name) continue;
        BarPlace place = bar.place;
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
        // Rows are told apart by their height in the dock.
        int row = 0;
        int lastTop = -1;
        const int count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i <= index && i < count; ++i) {
            RECT other{};
            SendMessageW(rebar, RB_GETRECT, i, reinterpret_cast<LPARAM>(&other));
            if (lastTop >= 0 && other.top > lastTop) ++row;
            lastTop = std::max(lastTop, static_cast<int>(other.top));
        }
        place.row = row;
        place.pos = rc.left;
        return place;
    }
    return DesignedPlace(name);
}

void ToolbarHost::Save(const settings::IniFile& ini) const {
    for (const Bar& bar : bars_) {
        std::vector<std::pair<std::wstring, std::wstring>> entries;
        for (auto& [key, value] : WriteBarPlace(PlaceOf(bar.def->name)))
            entries.emplace_back(app::ToWide(key), app::ToWide(value));
        if (!ini.ReplaceSection(app::ToWide(bar.def->name), entries)) return;  // reported; the rest would fail too
    }
}

RECT ToolbarHost::Arrange(RECT client) const {
    const int width = client.right - client.left;
    const int topHeight = static_cast<int>(SendMessageW(top_, RB_GETBARHEIGHT, 0, 0));
    const int bottomHeight = static_cast<int>(SendMessageW(bottom_, RB_GETBARHEIGHT, 0, 0));
    MoveWindow(top_, client.left, client.top, width, topHeight, TRUE);
    MoveWindow(bottom_, client.left, client.bottom - bottomHeight, width, bottomHeight, TRUE);
    // The rebar settles its height for the width it got.
    const int topSettled = static_cast<int>(SendMessageW(top_, RB_GETBARHEIGHT, 0, 0));
    const int bottomSettled = static_cast<int>(SendMessageW(bottom_, RB_GETBARHEIGHT, 0, 0));
    if (topSettled != topHeight) MoveWindow(top_, client.left, client.top, width, topSettled, TRUE);
    if (bottomSettled != bottomHeight)
        MoveWindow(bottom_, client.left, client.bottom - bottomSettled, width, bottomSettled, TRUE);
    return RECT{client.left, client.top + topSettled, client.right, client.bottom - bottomSettled};
}

bool ToolbarHost::IsVisible(std::u16string_view bar) const { return PlaceOf(bar).visible; }

void ToolbarHost::SetVisible(std::u16string_view name, bool visible) {
    for (Bar& bar : bars_) {
        if (bar.def->name != name) continue;
        bar.place.visible = visible;
        const HWND rebar = RebarOf(bar.place.dock);
        const int index = static_cast<int>(SendMessageW(rebar, RB_IDTOINDEX, bar.bandId, 0));
        if (index >= 0) SendMessageW(rebar, RB_SHOWBAND, index, visible);
    }
}

void ToolbarHost::Enable(Cmd cmd, bool enabled) const {
    for (const Bar& bar : bars_) SendMessageW(bar.toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(cmd), enabled);
}

void ToolbarHost::Check(Cmd cmd, bool checked) const {
    for (const Bar& bar : bars_) SendMessageW(bar.toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(cmd), checked);
}

void ToolbarHost::Repaint() const {
    for (HWND rebar : {top_, bottom_}) RedrawWindow(rebar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
    case WM_ERASEBKGND:
        if (self->skin_ && self->skin_->Active()) {
            RECT rc{};
            GetClientRect(hwnd, &rc);
            self->skin_->PaintBarBackground(reinterpret_cast<HDC>(wp), rc, false);
            return 1;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, RebarProc, 0);
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace tavrik::ui
