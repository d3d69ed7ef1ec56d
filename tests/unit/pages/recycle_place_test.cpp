#include "pages/recycle_place.h"

#include <gtest/gtest.h>

using tavrik::pages::DriveRootOf;

TEST(DriveRootOf, DrivesKeepTheirRootAndSharesHaveNone) {
    struct Case {
        std::u16string_view path;
        std::u16string_view root;
    };
    const Case cases[] = {
        {u"C:\\Users\\Ира\\Заметки\\", u"C:\\"},
        {u"d:/notes/", u"d:\\"},
        {u"E:\\", u"E:\\"},
        {u"E:", u"E:\\"},
        {u"\\\\?\\F:\\Very long\\", u"F:\\"},
        {u"\\\\.\\G:\\notes\\", u"G:\\"},
        {u"\\\\server\\share\\notes\\", u""},
        {u"//server/share/", u""},
        {u"\\\\?\\UNC\\server\\share\\", u""},
        {u"\\\\?\\Volume{0b1c2d3e-0000-0000-0000-100000000000}\\notes\\", u""},
        {u"C:notes\\", u""},
        {u"notes\\", u""},
        {u"\\notes\\", u""},
        {u"", u""},
        {u"1:\\", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(DriveRootOf(c.path), c.root) << std::string(c.path.begin(), c.path.end());
}
