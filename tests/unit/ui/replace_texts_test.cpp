#include "ui/replace_texts.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

TEST(ReplaceTexts, CountAndEveryTextReadInBothLanguages) {
    EXPECT_EQ(ReplacedCountText(1, Language::English), u"Replaced 1 time.");
    EXPECT_EQ(ReplacedCountText(3, Language::English), u"Replaced 3 times.");
    EXPECT_EQ(ReplacedCountText(21, Language::Russian), u"Заменено: 21.");
    for (int i = 0; i <= static_cast<int>(EditOpenText::FileTooLarge); ++i)
        for (const Language language : {Language::English, Language::Russian})
            EXPECT_FALSE(EditOpenTextIn(static_cast<EditOpenText>(i), language).empty()) << i;
    // The file dialog's types end in the patterns they filter by.
    for (const Language language : {Language::English, Language::Russian})
        EXPECT_TRUE(EditOpenTextIn(EditOpenText::TextFilesFilter, language).ends_with(u"(*.txt;*.rtf)"));
}
