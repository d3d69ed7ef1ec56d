#include "ui/help_text.h"

#include <gtest/gtest.h>

using tavrik::ui::WithEditLineBreaks;

TEST(HelpText, EveryKindOfLineBreakBecomesCrLfOnce) {
    struct Case {
        std::u16string_view text, expected;
    };
    const Case cases[] = {
        {u"Таврик\n=====\n\nЗаметки", u"Таврик\r\n=====\r\n\r\nЗаметки"},  // as the help files are written
        {u"one\r\ntwo\r\n", u"one\r\ntwo\r\n"},
        {u"one\rtwo", u"one\r\ntwo"},
        {u"a\n\r\nb\r\rc", u"a\r\n\r\nb\r\n\r\nc"},
        {u"\n", u"\r\n"},
        {u"", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(WithEditLineBreaks(c.text), c.expected);
}
