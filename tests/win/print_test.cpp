// Printing that cannot happen: told in the interface language, and nothing else goes wrong.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "test_folder.h"

#include <cderr.h>

using namespace tavrik;

namespace {

TEST(PrintFailure, NoPrinterAndAPrinterThatCannotBeReachedAreToldInRussian) {
    test::MessageLog log;
    test::FormInFolder f;
    test::WriteBytes(f.PageFile(L"Notes"), "{\\rtf1\\ansi text\\par}");
    f.WriteIni(test::IniBuilder().Parameter("Language", 1).Page("Notes"));
    ASSERT_TRUE(f.Start());
    f.form->ShowMenuClick();
    const auto print = [&](std::optional<app::PrintChoice> answer) {
        app::SetPrintHook([&](bool) { return answer; });
        SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Print), 0);
        app::SetPrintHook(nullptr);
    };
    print(std::nullopt);
    EXPECT_TRUE(log.texts.empty()) << "a cancel says nothing";

    app::PrintChoice none;
    none.failure = PDERR_NODEFAULTPRN;
    print(none);
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Не установлен ни один принтер"), std::wstring::npos);

    app::PrintChoice gone;
    gone.device = L"Принтер, которого нет";
    print(gone);
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_NE(log.texts[1].find(L"Не удалось напечатать страницу \"Notes\""), std::wstring::npos);
}

}  // namespace
