// (Win32) The toolbars, their chevrons and the font boxes as screen readers see them: buttons are
// named by their hints, which the bars show only as tooltips.
#include "ui/toolbars.h"

#include <algorithm>

#include "app/dyn_api.h"
#include "app/text.h"
#include "ui/access_texts.h"
#include "ui/accessible_parts.h"
#include "ui/language_tables.h"

namespace tavrik::ui {
namespace {

constexpr int kChevronScanAt96 = 48;  // the chevron sits within this much of its band's far end

RECT ToScreen(HWND hwnd, RECT rc) {
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The bar's buttons, separators and the boxes' places left out.
std::vector<int> ButtonIndexes(HWND toolbar) {
    std::vector<int> indexes;
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) && !(button.fsStyle & BTNS_SEP))
            indexes.push_back(i);
    }
    return indexes;
}

// Where a band's chevron lies, looked for near the band's far end. Empty when the band has all
// the room it wants.
RECT ChevronOf(HWND rebar, int band) {
    RECT rc{};
    if (!SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&rc))) return {};
    const bool upright = (GetWindowLongPtrW(rebar, GWL_STYLE) & CCS_VERT) != 0;
    const int end = upright ? rc.bottom : rc.right, across = upright ? (rc.left + rc.right) / 2 : (rc.top + rc.bottom) / 2;
    const int scan = MulDiv(kChevronScanAt96, static_cast<int>(app::WindowDpi(rebar)), 96);
    for (int along = end - 1; along >= end - scan; --along) {
        RBHITTESTINFO hit{};
        hit.pt = upright ? POINT{across, along} : POINT{along, across};
        if (SendMessageW(rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == band && hit.flags == RBHT_CHEVRON)
            return ChevronAround(rebar, band, hit.pt);
    }
    return {};
}

std::vector<int> BandsWithChevron(HWND rebar) {
    std::vector<int> bands;
    const int count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const RECT rc = ChevronOf(rebar, i);
        if (!IsRectEmpty(&rc)) bands.push_back(i);
    }
    return bands;
}

}  // namespace

void ToolbarHost::SetLanguage(std::function<Language()> language) { language_ = std::move(language); }

std::wstring ToolbarHost::ReaderText(AccessText which) const {
    return app::ToWide(AccessTextIn(which, language_ ? language_() : Language::English));
}

void ToolbarHost::DescribeBar(const Bar& bar) {
    const HWND toolbar = bar.toolbar;
    const std::u16string_view name = bar.def->name;
    AccessDescription description;
    description.role = kRoleToolbar;
    description.name = [this, name] {
        return app::ToWide(ToolbarName(name, language_ ? language_() : Language::English));
    };
    description.count = [toolbar] { return ButtonIndexes(toolbar).size(); };
    description.part = [this, toolbar](size_t part) {
        AccessPart result;
        const std::vector<int> indexes = ButtonIndexes(toolbar);
        if (part >= indexes.size()) return result;
        TBBUTTON button{};
        RECT rc{}, client{};
        SendMessageW(toolbar, TB_GETBUTTON, indexes[part], reinterpret_cast<LPARAM>(&button));
        SendMessageW(toolbar, TB_GETITEMRECT, indexes[part], reinterpret_cast<LPARAM>(&rc));
        GetClientRect(toolbar, &client);
        PartFacts facts;
        facts.enabled = (button.fsState & TBSTATE_ENABLED) != 0;
        facts.checked = (button.fsState & TBSTATE_CHECKED) != 0;
        // A button past the bar's end is hidden for want of room: the chevron lists it.
        facts.shown = !(button.fsState & TBSTATE_HIDDEN) && IsWindowVisible(toolbar) && rc.right <= client.right &&
                      rc.bottom <= client.bottom;
        result.name = hint_(static_cast<Cmd>(button.idCommand));
        result.role = kRolePushButton;
        result.state = PartState(facts);
        result.screen = ToScreen(toolbar, rc);
        if (facts.enabled) result.action = ReaderText(AccessText::PressAction);
        return result;
    };
    description.press = [this, toolbar](size_t part) {
        const std::vector<int> indexes = ButtonIndexes(toolbar);
        TBBUTTON button{};
        if (part >= indexes.size() ||
            !SendMessageW(toolbar, TB_GETBUTTON, indexes[part], reinterpret_cast<LPARAM>(&button)))
            return;
        // Posted: the reader's call returns before whatever the command opens.
        PostMessageW(parent_, WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
    };
    DescribeForReaders(toolbar, std::move(description));
}

// A dock's chevrons are drawn by the dock itself: each is a part of the dock.
void ToolbarHost::DescribeDock(HWND rebar) {
    AccessDescription description;
    description.count = [rebar] { return BandsWithChevron(rebar).size(); };
    description.part = [this, rebar](size_t part) {
        AccessPart result;
        const std::vector<int> bands = BandsWithChevron(rebar);
        if (part >= bands.size()) return result;
        result.name = app::ToWide(kChevronHint);  // the same in both languages, as its tooltip
        result.role = kRolePushButton;
        result.state = PartState({});
        result.screen = ToScreen(rebar, ChevronOf(rebar, bands[part]));
        result.action = ReaderText(AccessText::PressAction);
        return result;
    };
    description.press = [rebar](size_t part) {
        const std::vector<int> bands = BandsWithChevron(rebar);
        if (part < bands.size()) PostMessageW(rebar, RB_PUSHCHEVRON, static_cast<WPARAM>(bands[part]), 0);
    };
    DescribeForReaders(rebar, std::move(description));
}

// The boxes have no label beside them: their names come from us.
void ToolbarHost::DescribeFontBoxes() {
    AccessDescription font;
    font.name = [this] { return ReaderText(AccessText::FontNameBox); };
    font.role = kRoleComboBox;
    DescribeForReaders(fontBox_, std::move(font));
    AccessDescription size;
    size.name = [this] { return ReaderText(AccessText::FontSizeBox); };
    size.role = kRoleComboBox;
    DescribeForReaders(sizeBox_, std::move(size));
}

}  // namespace tavrik::ui
