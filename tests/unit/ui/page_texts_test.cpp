#include "ui/page_texts.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

// The question must be true: the bin only where the drive has one, the old warning where it has none.
TEST(DeleteQuestion, SaysWhereThePageGoesInEachLanguage) {
    struct Case {
        Language language;
        bool toRecycleBin;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {Language::English, true, u"Are you sure you want delete page 'Заметки; 2=3' ?\rIt goes to the Recycle Bin."},
        {Language::English, false, u"Are you sure you want delete page 'Заметки; 2=3' ?\rAll information will be lost !"},
        {Language::Russian, true,
         u"Вы уверены что хотите удалить страницу 'Заметки; 2=3' ?\rОна будет перемещена в Корзину."},
        {Language::Russian, false,
         u"Вы уверены что хотите удалить страницу 'Заметки; 2=3' ?\rВся информация на ней будет потеряна!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.language) << " " << c.toRecycleBin);
        EXPECT_EQ(DeleteQuestion(u"Заметки; 2=3", c.language, c.toRecycleBin), c.expected);
    }
}
