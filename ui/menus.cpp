// (Win32) Menus built from the command tables.
#include "ui/menus.h"

#include "app/text.h"
#include "ui/skin.h"

namespace tavrik::ui {

struct MenuSet::Item {
    const MenuItem* def;
    std::wstring caption;
    std::wstring shortcut;
    bool topLevel = false;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
};

namespace {

MenuSet::Item* ItemAt(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return nullptr;
    return reinterpret_cast<MenuSet::Item*>(info.dwItemData);
}

bool IsRadio(Cmd cmd) { return cmd == Cmd::Russian || cmd == Cmd::English; }

}  // namespace

MenuSet::MenuSet() {
    main_.Reset(Build(MainMenuItems(), true));
    tab_.Reset(Build(TabMenuItems(), false));
    for (const MenuItem& def : EditorMenuItems()) {
        auto item = std::make_unique<Item>();
        item->def = &def;
        item->shortcut = app::ToWide(ShortcutText(def.shortcut));
        editorItems_.push_back(item.get());
        items_.push_back(std::move(item));
    }
    RebuildEditor();
}

MenuSet::~MenuSet() {
    if (mainAttached_) (void)main_.Release();  // the window destroys its menu bar itself
}

namespace {
void Insert(HMENU menu, MenuSet::Item* item, const MenuItem& def, bool enabled, bool checked, HMENU sub,
            std::wstring& caption) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | MIIM_STRING | (sub ? MIIM_SUBMENU : 0);
    info.fType = def.kind == ItemKind::Separator ? MFT_SEPARATOR : (IsRadio(def.cmd) ? MFT_RADIOCHECK : 0);
    info.fState = (enabled ? MFS_ENABLED : MFS_GRAYED) | (checked ? MFS_CHECKED : 0);
    info.wID = static_cast<UINT>(def.cmd);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    info.dwTypeData = caption.data();
    info.hSubMenu = sub;
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}
}  // namespace

HMENU MenuSet::Build(std::span<const MenuItem> items, bool bar) {
    std::vector<HMENU> stack{bar ? CreateMenu() : CreatePopupMenu()};
    for (const MenuItem& def : items) {
        if (def.kind == ItemKind::SubmenuEnd) {
            stack.pop_back();
            continue;
        }
        auto item = std::make_unique<Item>();
        item->def = &def;
        item->topLevel = bar && stack.size() == 1;
        item->shortcut = app::ToWide(ShortcutText(def.shortcut));
        item->enabled = !def.alwaysDisabled;
        const HMENU sub = def.kind == ItemKind::SubmenuBegin ? CreatePopupMenu() : nullptr;
        Insert(stack.back(), item.get(), def, item->enabled, false, sub, item->caption);
        if (sub) stack.push_back(sub);
        items_.push_back(std::move(item));
    }
    return stack.front();
}

// Items cannot be hidden in a system menu, so the editor's menu is refilled without them. The
// handle stays the same, and a menu on screen is never touched: the system would track a menu
// that is gone or changed under it.
void MenuSet::RebuildEditor() {
    if (tracking_) {
        rebuildPending_ = true;
        return;
    }
    rebuildPending_ = false;
    if (!editor_) editor_.Reset(CreatePopupMenu());
    while (GetMenuItemCount(editor_.Get()) > 0) RemoveMenu(editor_.Get(), 0, MF_BYPOSITION);
    std::vector<bool> visible;
    for (const Item* item : editorItems_) visible.push_back(item->visible);
    const std::vector<bool> shown = ShownItems(EditorMenuItems(), visible);
    for (size_t i = 0; i < editorItems_.size(); ++i) {
        Item* item = editorItems_[i];
        if (shown[i]) Insert(editor_.Get(), item, *item->def, item->enabled, item->checked, nullptr, item->caption);
    }
    Refresh(editor_.Get());
}

void MenuSet::SetTracking(bool tracking) {
    tracking_ += tracking ? 1 : -1;
    if (!tracking_ && rebuildPending_) RebuildEditor();
}

void MenuSet::SetDeferred(bool deferred) {
    const bool was = deferred_;
    deferred_ = deferred;
    if (was && !deferred) {
        Refresh(main_.Get());
        Refresh(editor_.Get());
        Refresh(tab_.Get());
    }
}

// Writes the items' captions and drawing mode into a menu and its submenus.
void MenuSet::Refresh(HMENU menu) const {
    if (deferred_) return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        Item* item = ItemAt(menu, i);
        if (!item) continue;
        std::wstring text = item->caption;
        if (!item->shortcut.empty()) text += L"\t" + item->shortcut;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = item->def->kind == ItemKind::Separator;
        info.fMask = MIIM_FTYPE | (separator ? 0 : MIIM_STRING);
        info.fType = (separator ? MFT_SEPARATOR : 0) | (IsRadio(item->def->cmd) ? MFT_RADIOCHECK : 0) |
                     (ownerDraw_ ? MFT_OWNERDRAW : 0);
        info.dwTypeData = text.data();
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.hSubMenu) Refresh(info.hSubMenu);
    }
}

void MenuSet::SetCaption(std::u16string_view name, std::wstring_view caption) {
    const std::pair<std::u16string_view, std::wstring> one{name, std::wstring(caption)};
    SetCaptions({&one, 1});
}

// All captions first, then one pass over the menus: each pass rewrites every item.
void MenuSet::SetCaptions(std::span<const std::pair<std::u16string_view, std::wstring>> captions) {
    for (const auto& [name, caption] : captions)
        for (auto& item : items_)
            if (item->def->name == name) item->caption = caption;
    Refresh(main_.Get());
    Refresh(editor_.Get());
    Refresh(tab_.Get());
}

std::wstring MenuSet::Caption(std::u16string_view name) const {
    for (const auto& item : items_)
        if (item->def->name == name) return item->caption;
    return {};
}

// Also run after a change of DPI: an item whose type is written again is measured again.
void MenuSet::SetOwnerDraw(bool on) {
    ownerDraw_ = on;
    Refresh(main_.Get());
    Refresh(editor_.Get());
    Refresh(tab_.Get());
}

void MenuSet::Check(Cmd cmd, bool on) const {
    for (const auto& item : items_)
        if (item->def->cmd == cmd) item->checked = on;
    for (HMENU menu : {main_.Get(), editor_.Get(), tab_.Get()})
        CheckMenuItem(menu, static_cast<UINT>(cmd), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void MenuSet::Enable(Cmd cmd, bool on) const {
    for (const auto& item : items_)
        if (item->def->cmd == cmd) {
            if (item->def->alwaysDisabled) return;
            item->enabled = on;
        }
    for (HMENU menu : {main_.Get(), editor_.Get(), tab_.Get()})
        EnableMenuItem(menu, static_cast<UINT>(cmd), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

bool MenuSet::IsChecked(Cmd cmd) const {
    for (const auto& item : items_)
        if (item->def->cmd == cmd) return item->checked;
    return false;
}

void MenuSet::SetVisible(std::u16string_view name, bool visible) {
    const std::pair<std::u16string_view, bool> one[] = {{name, visible}};
    SetVisible(one);
}

void MenuSet::SetVisible(std::span<const std::pair<std::u16string_view, bool>> items) {
    bool changed = false;
    for (const auto& [name, visible] : items)
        for (Item* item : editorItems_)
            if (item->def->name == name && item->visible != visible) {
                item->visible = visible;
                changed = true;
            }
    if (changed) RebuildEditor();
}

bool MenuSet::IsVisible(std::u16string_view name) const {
    for (const Item* item : editorItems_)
        if (item->def->name == name) return item->visible;
    return false;
}

bool MenuSet::Measure(MEASUREITEMSTRUCT& measure, HWND window, const Skin& skin) const {
    const auto* item = reinterpret_cast<const Item*>(measure.itemData);
    if (measure.CtlType != ODT_MENU || !item) return false;
    const app::WindowDc windowDc(window);
    const HDC dc = windowDc.Get();
    const SIZE size = skin.MeasureMenuItem(
        dc, {item->caption, item->shortcut, item->def->image, item->def->kind == ItemKind::Separator, item->topLevel});
    measure.itemWidth = static_cast<UINT>(size.cx);
    measure.itemHeight = static_cast<UINT>(size.cy);
    return true;
}

bool MenuSet::Draw(const DRAWITEMSTRUCT& draw, const Skin& skin) const {
    const auto* item = reinterpret_cast<const Item*>(draw.itemData);
    if (draw.CtlType != ODT_MENU || !item) return false;
    skin.DrawMenuItem(draw, {item->caption, item->shortcut, item->def->image,
                             item->def->kind == ItemKind::Separator, item->topLevel,
                             (draw.itemState & ODS_CHECKED) != 0, IsRadio(item->def->cmd)});
    return true;
}

}  // namespace tavrik::ui
