#include "ui/unlisted_texts.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

TEST(UnlistedTexts, TheCountTakesThePluralItsNumberNeeds) {
    struct Case {
        std::size_t count;
        std::u16string_view english, russian;
    };
    const Case cases[] = {
        {1, u"1 page in the folder is not in the list", u"1 страница в папке не в списке"},
        {2, u"2 pages in the folder are not in the list", u"2 страницы в папке не в списке"},
        {4, u"4 pages in the folder are not in the list", u"4 страницы в папке не в списке"},
        {5, u"5 pages in the folder are not in the list", u"5 страниц в папке не в списке"},
        {11, u"11 pages in the folder are not in the list", u"11 страниц в папке не в списке"},
        {12, u"12 pages in the folder are not in the list", u"12 страниц в папке не в списке"},
        {21, u"21 pages in the folder are not in the list", u"21 страница в папке не в списке"},
        {22, u"22 pages in the folder are not in the list", u"22 страницы в папке не в списке"},
        {111, u"111 pages in the folder are not in the list", u"111 страниц в папке не в списке"},
        {114, u"114 pages in the folder are not in the list", u"114 страниц в папке не в списке"},
        {102, u"102 pages in the folder are not in the list", u"102 страницы в папке не в списке"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnlistedCountText(c.count, Language::English), c.english) << c.count;
        EXPECT_EQ(UnlistedCountText(c.count, Language::Russian), c.russian) << c.count;
    }
}

TEST(UnlistedTexts, EveryTextReadsInBothLanguages) {
    for (int i = 0; i <= static_cast<int>(UnlistedText::NotRenamed); ++i) {
        const auto which = static_cast<UnlistedText>(i);
        EXPECT_FALSE(UnlistedTextIn(which, Language::English).empty()) << i;
        EXPECT_FALSE(UnlistedTextIn(which, Language::Russian).empty()) << i;
    }
}

TEST(UnlistedTexts, TheDialogsButtonsHaveAccessKeysOfTheirOwn) {
    for (const Language language : {Language::English, Language::Russian}) {
        std::u16string keys;
        for (const UnlistedText button : {UnlistedText::AddButton, UnlistedText::BesideButton, UnlistedText::RecycleButton}) {
            const std::u16string_view text = UnlistedTextIn(button, language);
            const size_t at = text.find(u'&');
            ASSERT_TRUE(at != text.npos && at + 1 < text.size()) << static_cast<int>(button);
            char16_t key = text[at + 1];
            if (key >= u'a' && key <= u'z') key = static_cast<char16_t>(key - 32);
            if (key >= u'а' && key <= u'я') key = static_cast<char16_t>(key - 0x20);
            EXPECT_EQ(keys.find(key), keys.npos) << "two buttons answer to one key";
            keys += key;
        }
    }
}
