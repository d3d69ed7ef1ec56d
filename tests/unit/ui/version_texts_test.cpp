#include "ui/version_texts.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

// A text whose languages take a different number of %s would show a reason in place of a page.
TEST(VersionTexts, BothLanguagesTakeTheSameArguments) {
    const auto count = [](std::u16string_view text) {
        std::size_t n = 0;
        for (std::size_t at = text.find(u"%s"); at != std::u16string_view::npos; at = text.find(u"%s", at + 2)) ++n;
        return n;
    };
    struct Case {
        VersionText which;
        std::size_t arguments;
    };
    for (const Case& c : {Case{VersionText::NotKept, 3}, Case{VersionText::SaveRefused, 3},
                          Case{VersionText::NotKeptNotice, 1}}) {
        EXPECT_EQ(count(VersionTextIn(c.which, Language::English)), c.arguments);
        EXPECT_EQ(count(VersionTextIn(c.which, Language::Russian)), c.arguments);
    }
}
