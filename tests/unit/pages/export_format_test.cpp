#include "pages/export_format.h"

#include <gtest/gtest.h>

namespace tavrik::pages {
namespace {

TEST(ExportFormat, TheNameDecidesAndOtherwiseTheTypePicked) {
    EXPECT_EQ(ExportFormatFor(u"C:\\Notes\\Page.TXT", kRichTextType), ExportFormat::Text);
    EXPECT_EQ(ExportFormatFor(u"C:\\Notes\\Page.rtf", kTextType), ExportFormat::Rich);
    EXPECT_EQ(ExportFormatFor(u"C:\\Notes\\Page.doc", kTextType), ExportFormat::Text);
    EXPECT_EQ(ExportFormatFor(u"C:\\Notes\\Page", kRichTextType), ExportFormat::Rich);
    EXPECT_EQ(DefaultExportType(true), kTextType);
    EXPECT_EQ(DefaultExportType(false), kRichTextType);
}

TEST(ExportFormat, FolderOfThePathKeepsItsBackslash) {
    EXPECT_EQ(FolderOfPath(u"D:\\Заметки\\page.rtf"), u"D:\\Заметки\\");
    EXPECT_EQ(FolderOfPath(u"\\\\server\\share\\x.txt"), u"\\\\server\\share\\");
    EXPECT_EQ(FolderOfPath(u"x.txt"), u"");
}

}  // namespace
}  // namespace tavrik::pages
