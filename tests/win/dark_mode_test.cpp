// Dark mode on real windows: Windows' setting as the registry holds it, the windows that follow a
// change and stop following when they go, and the bars of every look.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "app/comctl.h"
#include "app/unique.h"
#include "test_folder.h"
#include "ui/dark_mode.h"
#include "ui/skin.h"

using namespace tavrik;

namespace {

constexpr ui::ThemeDecision kLight{}, kDarkOnly{true, false};

// A picture of what a drawing call leaves, one pixel read back.
class Canvas {
public:
    Canvas() : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(kSize, kSize, 1, 32, nullptr)) {
        old_ = SelectObject(dc_.Get(), bitmap_.Get());
        RECT all{0, 0, kSize, kSize};
        SetDCBrushColor(dc_.Get(), RGB(1, 2, 3));
        FillRect(dc_.Get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    ~Canvas() { SelectObject(dc_.Get(), old_); }
    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
    static constexpr int kSize = 200;

private:
    app::UniqueDc dc_;
    app::UniqueGdiObject bitmap_;
    HGDIOBJ old_ = nullptr;
};

bool IsDarkColour(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }

// The theme is the process's: each test leaves it light, as the program starts.
class DarkMode : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app::comctl::Load()); }
    void TearDown() override {
        (void)ui::SetTheme(kLight, 0);
        ui::ApplyThemeEverywhere();
    }
    static void Switch(const ui::ThemeDecision& to) {
        (void)ui::SetTheme(to, 17134);  // a build without the system's dark parts, whatever Wine reports
        ui::ApplyThemeEverywhere();
    }
};

TEST_F(DarkMode, WindowsSettingIsReadOnlyAsANumber) {
    const test::TempRegistryKey scratch;
    const ui::ThemeSource source{HKEY_CURRENT_USER, scratch.Path() + L"\\Personalize", std::nullopt};
    struct Case {
        const char* what;
        std::optional<DWORD> number;
        const wchar_t* text;  // written as REG_SZ instead
        std::optional<std::uint32_t> read;
    };
    const Case cases[] = {
        {"no key at all", std::nullopt, nullptr, std::nullopt},
        {"dark", 0u, nullptr, 0u},
        {"light", 1u, nullptr, 1u},
        {"a hand-edited text is no setting", std::nullopt, L"0", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        (void)RegDeleteKeyValueW(HKEY_CURRENT_USER, source.keyPath.c_str(), L"AppsUseLightTheme");
        if (c.number) {
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, source.keyPath.c_str(), L"AppsUseLightTheme", REG_DWORD,
                                      &*c.number, sizeof *c.number),
                      ERROR_SUCCESS);
        }
        if (c.text) {
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, source.keyPath.c_str(), L"AppsUseLightTheme", REG_SZ, c.text,
                                      static_cast<DWORD>((wcslen(c.text) + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        }
        EXPECT_EQ(ui::ReadAppsUseLightTheme(source), c.read);
    }
}

// A dialog made light turns dark and back with every change, its list and tab strip with it; once
// it is gone, a change passes it by.
TEST_F(DarkMode, DialogsFollowEveryChangeUntilTheyGo) {
    const HWND dialog = CreateWindowExW(0, WC_DIALOG, L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(dialog);
    const HWND label = CreateWindowExW(0, WC_STATICW, L"Label", WS_CHILD | WS_VISIBLE, 4, 4, 80, 16, dialog, nullptr,
                                       nullptr, nullptr);
    const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 4, 24, 200, 60, dialog,
                                      nullptr, nullptr, nullptr);
    const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 4, 90, 200, 60, dialog, nullptr,
                                      nullptr, nullptr);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(L"Notes");
    (void)TabCtrl_InsertItem(tabs, 0, &tab);
    ui::FollowTheme(dialog);

    const auto labelBackground = [&] {
        Canvas canvas;
        SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.Dc()), reinterpret_cast<LPARAM>(label));
        return GetBkColor(canvas.Dc());
    };
    // Beyond the last tab, where only the strip's own ground is.
    const auto stripGround = [&] {
        Canvas canvas;
        SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        return canvas.At(190, 4);
    };
    const COLORREF lightLabel = labelBackground();
    EXPECT_NE(lightLabel, ui::kDark.back);

    for (int round = 0; round < 2; ++round) {
        Switch(kDarkOnly);
        EXPECT_EQ(labelBackground(), ui::kDark.back) << round;
        EXPECT_EQ(ListView_GetBkColor(list), ui::kDark.control) << round;
        EXPECT_EQ(stripGround(), ui::kDark.back) << round;
        Switch(kLight);
        EXPECT_EQ(labelBackground(), lightLabel) << round;
        EXPECT_EQ(ListView_GetBkColor(list), GetSysColor(COLOR_WINDOW)) << round;
        EXPECT_NE(stripGround(), ui::kDark.back) << round;
    }

    DestroyWindow(dialog);
    Switch(kDarkOnly);  // nothing left to follow: no use of a handle that is gone
    const HWND later = CreateWindowExW(0, WC_DIALOG, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ui::FollowTheme(later);  // made while dark: dark at once
    Canvas canvas;
    SendMessageW(later, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(canvas.Dc()), reinterpret_cast<LPARAM>(later));
    EXPECT_EQ(GetBkColor(canvas.Dc()), ui::kDark.back);
    DestroyWindow(later);
}

// Each of the three looks paints its bars and its hot button dark while dark, and the system's look,
// which leaves its bars to the system in light, takes over its drawing then.
TEST_F(DarkMode, BarsOfEveryLookTurnDark) {
    struct Case {
        int style;
        bool dark;
        bool paints;  // the look paints the bars' ground itself
        bool drawsButtons;
    };
    const Case cases[] = {
        {0, false, false, false}, {1, false, true, true}, {2, false, true, true},
        {0, true, true, true},    {1, true, true, true},  {2, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Style=" << c.style << (c.dark ? " dark" : " light"));
        ui::Skin skin;
        skin.SetStyle(c.style);
        skin.SetDark(c.dark);
        EXPECT_EQ(skin.PaintsBars(), c.paints);
        if (c.paints) {
            Canvas canvas;
            const RECT bar{0, 0, Canvas::kSize, 30};
            skin.PaintBarBackground(canvas.Dc(), bar, false);
            EXPECT_EQ(IsDarkColour(canvas.At(5, 2)) && IsDarkColour(canvas.At(5, 28)), c.dark);
        }
        Canvas canvas;
        NMTBCUSTOMDRAW draw{};
        draw.nmcd.hdc = canvas.Dc();
        draw.nmcd.dwDrawStage = CDDS_PREPAINT;
        EXPECT_EQ(skin.ToolbarCustomDraw(draw), c.drawsButtons ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT);
        if (!c.drawsButtons) continue;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.uItemState = CDIS_HOT;
        draw.nmcd.rc = {10, 10, 40, 40};
        (void)skin.ToolbarCustomDraw(draw);
        // The skins keep their blue for a hot button; the system's look, grey on the dark bar.
        const COLORREF hot = canvas.At(25, 25);
        if (c.style == 0) EXPECT_TRUE(IsDarkColour(hot)) << std::hex << hot;
        else EXPECT_EQ(hot, RGB(75, 125, 204));
    }
}

}  // namespace
