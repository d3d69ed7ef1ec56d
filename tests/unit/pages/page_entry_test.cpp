#include "pages/page_entry.h"

#include <gtest/gtest.h>

using namespace tavrik::pages;

namespace {
const PageDefaults kDefaults{16777215, u"MS Sans Serif", 0, 10, 0};
const PageDefaults kOther{0x00C0FFFF, u"Tahoma", 255, 12, 3};
}  // namespace

TEST(PageEntry, NewPageEntryReadsAsStoredByEveryVersion) {
    EXPECT_EQ(EncodePageEntry(NewPageEntry(kDefaults)), u"16777215*MS Sans Serif*0*10*0*0*1*");
}

TEST(PageEntry, RoundTripsEveryField) {
    const PageEntry entry{-16777211, u"Times New Roman", 0x0000FF, 14, kStyleBold | kStyleUnderline, 1234, false};
    EXPECT_EQ(EncodePageEntry(entry), u"-16777211*Times New Roman*255*14*5*1234*0*");
    EXPECT_EQ(DecodePageEntry(EncodePageEntry(entry), kOther), entry);
}

TEST(PageEntry, ShortEntriesTakeDefaultsFromTheFirstMissingStar) {
    const PageEntry background = DecodePageEntry(u"255*", kOther);
    EXPECT_EQ(background.color, 255);
    EXPECT_EQ(background.fontName, u"Tahoma");
    EXPECT_EQ(background.fontColor, 255);
    EXPECT_EQ(background.fontSize, 12);
    EXPECT_EQ(background.fontStyle, 3);
    EXPECT_EQ(background.caret, 0);
    EXPECT_FALSE(background.wordWrap);

    // A field without its closing star is not read.
    EXPECT_EQ(DecodePageEntry(u"255", kOther).color, kOther.color);
    EXPECT_EQ(DecodePageEntry(u"1*Arial*2*9*1*40*1", kOther).wordWrap, false);
    EXPECT_EQ(DecodePageEntry(u"", kOther).color, kOther.color);
}

TEST(PageEntry, DamagedNumbersTakeTheirFieldsDefault) {
    const PageEntry entry = DecodePageEntry(u"white*Arial*x*big*1.5*-*yes*", kOther);
    EXPECT_EQ(entry.color, kOther.color);
    EXPECT_EQ(entry.fontName, u"Arial");  // the good fields around the damage are kept
    EXPECT_EQ(entry.fontColor, kOther.fontColor);
    EXPECT_EQ(entry.fontSize, kOther.fontSize);
    EXPECT_EQ(entry.fontStyle, kOther.fontStyle);
    EXPECT_EQ(entry.caret, 0);
    EXPECT_FALSE(entry.wordWrap);
    EXPECT_EQ(DecodePageEntry(u"1*Arial*2*9*1*77*2*", kOther).wordWrap, false);  // on only for 1
    EXPECT_EQ(DecodePageEntry(u"1*Arial*2*9*1*77*1*extra*", kOther).caret, 77);
    EXPECT_EQ(DecodePageEntry(u"1**2*9*1*77*1*", kOther).fontName, u"Tahoma");  // no face is no font
}

TEST(PageEntry, FontSizeTheEditorCannotTakeIsTheDefaultSize) {
    for (const char16_t* entry : {u"1*Arial*2*0*1*5*1*", u"1*Arial*2*-3*1*5*1*", u"1*Arial*2*1639*1*5*1*",
                                  u"1*Arial*2*107374183*1*5*1*"})
        EXPECT_EQ(DecodePageEntry(entry, kOther).fontSize, kOther.fontSize);
    EXPECT_EQ(DecodePageEntry(u"1*Arial*2*1638*1*5*1*", kOther).fontSize, 1638);
    EXPECT_EQ(DecodePageEntry(u"1*Arial*2*1*1*5*1*", kOther).fontSize, 1);
    EXPECT_EQ(DecodePageEntry(u"1*Arial*2*1639*1*5*1*", kOther).caret, 5);  // the fields after it still read
}
