// (Win32) The four toolbars on the window's docks: rebars whose bands the user drags between rows, or
// floating in windows of their own. Defined in toolbars.cpp, toolbar_drag.cpp, toolbar_chevron.cpp
// and font_boxes.cpp.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/access_texts.h"
#include "ui/commands.h"
#include "ui/toolbar_layout.h"

namespace tavrik::settings {
class IniFile;
}

namespace tavrik::ui {

class Skin;

// Where the chevron of `band` lies that the dock's point `at` is on: the dock tells only whether a
// point is on one, so its extent along the dock is found by asking point by point from there.
RECT ChevronAround(HWND rebar, int band, POINT at);

class ToolbarHost {
public:
    // `hint` gives the tooltip of a command in the current language; `changed` hears of a bar
    // hidden by its own close button or moved by the user, so the window can follow.
    void Create(HWND parent, const Skin* skin, std::function<std::wstring(Cmd)> hint, std::function<void()> changed);
    // The interface language, for what screen readers are told about the bars.
    void SetLanguage(std::function<Language()> language);
    // Makes the docks and bars and puts the bars where their places say.
    void Build(HIMAGELIST images, HIMAGELIST disabledImages, int imagePixels);
    bool Built() const { return built_; }
    // New images, for a new DPI: the bars and docks take their new size.
    void SetImages(HIMAGELIST images, HIMAGELIST disabledImages, int imagePixels);

    // Reads each toolbar's section, or keeps the designed place, and puts the bars on their docks.
    void Load(const settings::IniFile& ini);
    void Save(const settings::IniFile& ini) const;

    // Places the docks in the client area and returns what is left for the tab strip.
    RECT Arrange(RECT client) const;

    bool IsVisible(std::u16string_view bar) const;
    void SetVisible(std::u16string_view bar, bool visible);
    // Docks a bar (on a dock's last row) or, with an empty dock, floats it at the given point.
    void MoveTo(std::u16string_view bar, std::u16string_view dock, POINT floatAt = {});
    // Floating bars are seen only while the window is.
    void ShowFloating(bool windowShown);
    HWND FloatWindow(std::u16string_view bar) const;
    HWND DockWindow(std::u16string_view dock) const { return RebarOf(dock); }
    void Enable(Cmd cmd, bool enabled) const;
    void Check(Cmd cmd, bool checked) const;
    bool IsChecked(Cmd cmd) const;
    void Repaint() const;

    // Custom drawing, tooltips and the chevron; true when the notice was ours.
    bool OnNotify(const NMHDR& header, LRESULT& result) const;

    HWND FontBox() const { return fontBox_; }
    void ListFonts(std::u16string_view defaultFace);  // as the name box opens
    HWND SizeBox() const { return sizeBox_; }
    BarPlace PlaceOf(std::u16string_view bar) const;

private:
    struct Bar {
        const ToolbarDef* def = nullptr;
        HWND toolbar = nullptr;
        HWND floatWindow = nullptr;
        UINT bandId = 0;
        BarPlace place;
    };
    // The chevron's hint on one dock: the tooltip's one tool lies over the chevron under the mouse.
    struct ChevronTip {
        HWND tip = nullptr;
        RECT tool{};
    };
    HWND RebarOf(std::u16string_view dock) const;
    void Dock(Bar& bar);
    void Undock(Bar& bar);
    void DockAll();
    Bar* BarOf(std::u16string_view name);
    Bar* BarOfBand(HWND rebar, int index);
    void MakeFontBoxes(HWND toolbar, UINT dpi);
    // Floating bars and bars pulled off their docks.
    static void RegisterFloatClass();
    void Float(Bar& bar);
    std::u16string DockAt(POINT screen) const;
    void Drop(Bar& bar, POINT screen);
    bool OnDockMouse(HWND rebar, UINT msg, WPARAM wp, LPARAM lp);  // true: the message is used up
    // The chevron of a bar short of room.
    void MakeChevronTip(HWND rebar);
    ChevronTip* ChevronTipOf(HWND rebar);
    void RelayToChevronTip(HWND rebar, UINT msg, WPARAM wp, LPARAM lp);
    void ShowChevronMenu(const NMREBARCHEVRON& chevron) const;
    // What screen readers are told: toolbar_access.cpp.
    void DescribeBar(const Bar& bar);
    void DescribeDock(HWND rebar);
    void DescribeFontBoxes();
    std::wstring ReaderText(AccessText which) const;
    static LRESULT CALLBACK RebarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) noexcept;
    static LRESULT CALLBACK FloatProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    static LRESULT CALLBACK FormatBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                          DWORD_PTR self) noexcept;

    HWND parent_ = nullptr;
    HWND top_ = nullptr;     // the formatting dock, below the menu bar
    HWND bottom_ = nullptr;
    HWND left_ = nullptr;
    HWND right_ = nullptr;
    bool windowShown_ = false;
    bool built_ = false;
    Bar* dragged_ = nullptr;   // a bar being pulled off its dock
    bool draggingOut_ = false;
    std::function<void()> changed_;
    HWND fontBox_ = nullptr;
    HWND sizeBox_ = nullptr;
    UINT fontListDpi_ = 0;  // the DPI the name box's list was last made wide enough at
    const Skin* skin_ = nullptr;
    std::function<std::wstring(Cmd)> hint_;
    std::function<Language()> language_;
    std::vector<Bar> bars_;
    ChevronTip chevronTips_[4];  // of top_, bottom_, left_ and right_
};

}  // namespace tavrik::ui
