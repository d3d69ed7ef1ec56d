// Where the window comes up on the monitors Wine has (one: it cannot fake others), and what
// tavrik.ini keeps of a place the program chose rather than the user.
#include <gtest/gtest.h>

#include "test_folder.h"

using namespace tavrik;

namespace {

RECT WindowRect(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc;
}

// The window lies wholly in the work area of a monitor.
::testing::AssertionResult InsideAWorkArea(const RECT& rc) {
    const HMONITOR monitor = MonitorFromRect(&rc, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return ::testing::AssertionFailure() << "on no monitor";
    RECT inside{};
    IntersectRect(&inside, &rc, &info.rcWork);
    if (!EqualRect(&inside, &rc))
        return ::testing::AssertionFailure() << rc.left << "," << rc.top << " " << rc.right - rc.left << "x"
                                             << rc.bottom - rc.top << " not inside the work area";
    return ::testing::AssertionSuccess();
}

class WindowPlace : public test::FormTest {
protected:
    void Start(std::string_view place) {
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameters("NoTransparency=1").Parameters(place).Page("A"));
    }
    std::wstring IniText() const { return test::ReadIniText(f.Ini()); }
};

TEST_F(WindowPlace, OffEveryMonitorShowsOnOneAndTavrikIniKeepsThePlaceUntilTheUserMovesIt) {
    Start("MainLeft=-6000\r\nMainTop=200\r\nMainWidth=420\r\nMainHeight=300");
    Form().ShowMenuClick();
    const RECT shown = WindowRect(Window());
    EXPECT_TRUE(InsideAWorkArea(shown));
    EXPECT_EQ(shown.right - shown.left, 420) << "the size is kept where it fits";
    Form().FormHide();
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_NE(IniText().find(L"MainLeft=-6000"), std::wstring::npos) << "the monitor may come back";

    // Moved by the user: that place is the one to keep.
    Form().ShowMenuClick();
    SetWindowPos(Window(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_NE(IniText().find(L"MainLeft=40"), std::wstring::npos) << test::ReadBytes(f.Ini());
}

TEST_F(WindowPlace, OnTheMonitorOfThePointerAPartlyHiddenWindowComesWhollyIntoView) {
    Start("ShowOnMouseMonitor=1\r\nMainLeft=-200\r\nMainTop=100\r\nMainWidth=420\r\nMainHeight=300");
    Form().ShowMenuClick();
    EXPECT_TRUE(InsideAWorkArea(WindowRect(Window())));
    ASSERT_TRUE(Form().FinishAll());
    EXPECT_NE(IniText().find(L"MainLeft=-200"), std::wstring::npos);
}

}  // namespace
