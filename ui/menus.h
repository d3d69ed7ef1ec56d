// (Win32) The menu bar and the two pop-up menus, built from the command tables and drawn by the skin.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "app/unique.h"
#include "ui/commands.h"

namespace tavrik::ui {

class Skin;

class MenuSet {
public:
    MenuSet();
    ~MenuSet();
    MenuSet(const MenuSet&) = delete;
    MenuSet& operator=(const MenuSet&) = delete;

    HMENU Main() const { return main_.Get(); }
    HMENU Editor() const { return editor_.Get(); }  // PopupMenu1
    HMENU Tab() const { return tab_.Get(); }        // PopupMenu2

    // The caption of every item of that component name, in whichever menu it stands.
    void SetCaption(std::u16string_view name, std::wstring_view caption);
    void SetCaptions(std::span<const std::pair<std::u16string_view, std::wstring>> captions);
    std::wstring Caption(std::u16string_view name) const;
    // Owner-drawn items for a skin, the system's own drawing without one.
    void SetOwnerDraw(bool on);
    // While nobody can see the menus, captions and drawing mode are only noted; they reach the
    // menus in one pass when this is turned off.
    void SetDeferred(bool deferred);

    void Check(Cmd cmd, bool on) const;
    void Enable(Cmd cmd, bool on) const;
    bool IsChecked(Cmd cmd) const;
    // Shows or hides an item of the editor menu by its component name.
    void SetVisible(std::u16string_view name, bool visible);
    // Several at once, the menu refilled once: each refill rewrites every item.
    void SetVisible(std::span<const std::pair<std::u16string_view, bool>> items);
    bool IsVisible(std::u16string_view name) const;
    // While the editor's menu is open, items that come and go wait until it closes.
    void SetTracking(bool tracking);

    bool Measure(MEASUREITEMSTRUCT& item, HWND window, const Skin& skin) const;
    bool Draw(const DRAWITEMSTRUCT& item, const Skin& skin) const;

    // While the menu bar is on the window, the window destroys it; hidden, it is ours.
    void SetMainAttached(bool attached) { mainAttached_ = attached; }

    struct Item;

private:
    HMENU Build(std::span<const MenuItem> items, bool bar);
    void RebuildEditor();
    void Refresh(HMENU menu) const;

    app::UniqueMenu main_;
    app::UniqueMenu editor_;
    app::UniqueMenu tab_;
    bool mainAttached_ = false;
    bool ownerDraw_ = false;
    bool deferred_ = false;
    int tracking_ = 0;  // openings under way: a second one may come and fail inside the first
    bool rebuildPending_ = false;
    std::vector<std::unique_ptr<Item>> items_;  // of every menu, the editor menu's included
    std::vector<Item*> editorItems_;            // the editor menu's, in order, shown or not
};

}  // namespace tavrik::ui
