// When tavrik.ini is rewritten in place instead of replaced, and what the user is told when that fails.
#include <gtest/gtest.h>

#include "settings/ini_write_way.h"
#include "ui/linked_ini_texts.h"

using namespace tavrik;

TEST(IniWriteWay, OnlyAFileWithOtherNamesIsRewrittenInPlace) {
    struct Case {
        std::optional<std::uint32_t> links;
        settings::IniWriteWay expected;
    };
    const Case cases[] = {
        {std::nullopt, settings::IniWriteWay::Replace},  // a share that does not say
        {0, settings::IniWriteWay::Replace},
        {1, settings::IniWriteWay::Replace},
        {2, settings::IniWriteWay::InPlace},             // Scoop's persisted copy
        {1024, settings::IniWriteWay::InPlace},
    };
    for (const Case& c : cases) EXPECT_EQ(settings::ChooseIniWriteWay(c.links), c.expected) << c.links.value_or(99);
    EXPECT_EQ(settings::IniBackupPath(u"C:\\Users\\Маша\\scoop\\apps\\tavrik\\current\\tavrik.ini"),
              u"C:\\Users\\Маша\\scoop\\apps\\tavrik\\current\\tavrik.ini.bak");
}

TEST(IniWriteWay, DamagedTextNamesFileReasonAndBackupInBothLanguages) {
    EXPECT_EQ(ui::LinkedIniDamagedText(u"D:\\t\\tavrik.ini", u"The disk is full.", u"D:\\t\\tavrik.ini.bak",
                                       ui::Language::English),
              u"Unable to write to D:\\t\\tavrik.ini\r\nThe disk is full.\r\n"
              u"The settings as they were are kept in D:\\t\\tavrik.ini.bak.");
    EXPECT_EQ(ui::LinkedIniDamagedText(u"D:\\t\\tavrik.ini", u"Диск заполнен.", u"D:\\t\\tavrik.ini.bak",
                                       ui::Language::Russian),
              u"Не удаётся записать D:\\t\\tavrik.ini\r\nДиск заполнен.\r\n"
              u"Прежние настройки сохранены в D:\\t\\tavrik.ini.bak.");
}
