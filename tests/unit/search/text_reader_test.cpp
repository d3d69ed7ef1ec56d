#include "search/text_reader.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrik::search;

namespace {
std::u16string Rtf(std::string_view rtf) { return RtfPlainText(rtf, 1252); }
}  // namespace

TEST(PageTextReader, ReadsAPageAsTheControlWritesIt) {
    // "Привет, мир" in Windows-1251, in red and bold, then an English word in another font.
    const std::string page =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\nouicompat\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}"
        "{\\f1\\fnil\\fcharset0 Calibri;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\cf1\\b\\f0\\fs22\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\cf0\\b0 , \\'ec\\'e8\\'f0\\par\r\n"
        "\\f1\\lang1033 world\\par\r\n}\r\n";
    EXPECT_EQ(Rtf(page), u"Привет, мир\rworld");
    EXPECT_EQ(ReadPageText(page, false), u"Привет, мир\rworld");
    EXPECT_EQ(ReadPageText(page, true), u"Привет, мир\rworld");
}

TEST(PageTextReader, BytesAreReadInTheFontsCharsetBeforeTheDocumentsCodePage) {
    // "Жук" as Windows-1251 bytes under a Western document code page, in a Cyrillic font.
    EXPECT_EQ(Rtf("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset0 Arial;}}"
                  "\\f0 \\'c6\\'f3\\'ea \\f1 \\'c6}"),
              u"Жук Æ");
    // "Łódź" in Windows-1250, in a font table written without groups.
    EXPECT_EQ(Rtf("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl\\f0\\fswiss\\fcharset238 Arial;\\f1\\fcharset204 X;}"
                  "\\f0\\'a3\\'f3d\\'9f}"),
              u"Łódź");
    // The default font rules text before any \f; \plain goes back to it.
    EXPECT_EQ(Rtf("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}\\'c6\\f0\\'c6\\plain\\'c6}"),
              u"ЖÆЖ");
    // No \ansicpg: the system's code page; one without a table here: Western.
    EXPECT_EQ(RtfPlainText("{\\rtf1\\ansi \\'ec\\'e8\\'f0}", 1251), u"мир");
    EXPECT_EQ(RtfPlainText("{\\rtf1\\ansi\\ansicpg936 \\'e9}", 1251), u"é");
    // Bytes over 0x7F written as they are count as text in the same code page.
    EXPECT_EQ(Rtf("{\\rtf1\\ansicpg1251 \xEC\xE8\xF0}"), u"мир");
}

TEST(PageTextReader, UnicodeEscapesSkipTheirReplacements) {
    EXPECT_EQ(Rtf("{\\rtf1 \\u1046?\\u1091?\\u1082?}"), u"Жук");
    EXPECT_EQ(Rtf("{\\rtf1\\uc0 \\u1046\\u1091\\u1082 !}"), u"Жук!");
    EXPECT_EQ(Rtf("{\\rtf1\\uc2 \\u1046??x}"), u"Жx");
    // A \'hh and a control word each count as one replacement character.
    EXPECT_EQ(Rtf("{\\rtf1\\ansicpg1251 \\u1046\\'c6x\\u1046\\tab y}"), u"ЖxЖy");
    // \uc is scoped to its group; a group's end stops the skipping.
    EXPECT_EQ(Rtf("{\\rtf1 {\\uc2 \\u1046xx}\\u1046yz}"), u"ЖЖz");
    EXPECT_EQ(Rtf("{\\rtf1 \\uc3 {\\u1046}x}"), u"Жx");
    // Signed 16 bits: a surrogate pair for U+1F600, and U+F0B7 as a symbol font's bullet.
    EXPECT_EQ(Rtf("{\\rtf1 \\u-10179?\\u-8704?\\u-3913?}"), u"\U0001F600\uF0B7");
    EXPECT_EQ(Rtf("{\\rtf1 \\u99999?}").size(), 1u);
}

TEST(PageTextReader, SpecialCharactersAndBreaks) {
    EXPECT_EQ(Rtf("{\\rtf1 a\\line b\\tab c\\~d\\_e\\-f\\{\\}\\\\}"), u"a\vb\tc\u00A0d\u2011e\u00ADf{}\\");
    EXPECT_EQ(Rtf("{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}"), u"—–‘’“”•");
    // Source line breaks are no text, but a backslash before one is a paragraph.
    EXPECT_EQ(Rtf("{\\rtf1 one\r\ntwo\\\r\nthree\\par\\par four}"), u"onetwo\rthree\r\rfour");
    // The last paragraph's break is the one every document has.
    EXPECT_EQ(Rtf("{\\rtf1 a\\par b\\par\r\n}"), u"a\rb");
    EXPECT_EQ(Rtf("{\\rtf1 a\\par\\par}"), u"a\r");
    EXPECT_EQ(Rtf("{\\rtf1\\trowd\\cellx100\\cellx200 a\\cell b\\cell\\row}"), u"a\tb\t");
}

TEST(PageTextReader, DestinationsWithoutTextAreSkipped) {
    EXPECT_EQ(Rtf("{\\rtf1{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red1;}{\\stylesheet{\\s0 Normal;}}"
                  "{\\info{\\title A title}{\\author Me}}{\\*\\listtable{\\list x}}{\\*\\rsidtbl \\rsid1}"
                  "{\\header Page head}{\\*\\unknownword hidden {\\b nested} text}{\\*\\bkmkstart m}"
                  "{\\listtext 1.\\tab}body{\\unknownplain shown}}"),
              u"bodyshown");
    // Fields show their result; pictures and objects one character each.
    EXPECT_EQ(Rtf("{\\rtf1 see {\\field{\\*\\fldinst {HYPERLINK \"https://example.org\"}}{\\fldrslt {\\ul here}}}.}"),
              u"see here.");
    EXPECT_EQ(Rtf("{\\rtf1 a{\\pict\\wmetafile8\\picw10\\pich10 0100ff{\\*\\blipuid 12}}b}"), u"a\uFFFCb");
    EXPECT_EQ(Rtf("{\\rtf1 a{\\*\\shppict{\\pict\\pngblip 8950}}{\\nonshppict{\\pict\\wmetafile8 0100}}b}"),
              u"a\uFFFCb");
    EXPECT_EQ(Rtf("{\\rtf1 a{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}"
                  "{\\result{\\pict\\dibitmap0 28}}}b{\\object{\\*\\objdata 01}}c}"),
              u"a\uFFFCb\uFFFCc");
    // Binary data is never read as markup, braces and backslashes included.
    EXPECT_EQ(Rtf("{\\rtf1 a{\\pict\\bin6 }{\\\\{x}b}"), u"a\uFFFCb");
}

TEST(PageTextReader, DamagedFilesGiveWhatCanBeRead) {
    EXPECT_EQ(Rtf("{\\rtf1 abc\\par de\\pa"), u"abc\rde");                   // cut inside a word
    EXPECT_EQ(Rtf("{\\rtf1\\ansicpg1251 \\'c6\\'f"), u"Ж");                    // inside \'hh
    EXPECT_EQ(Rtf("{\\rtf1 a\\'zzb\\u"), u"azzb");
    EXPECT_EQ(Rtf("{\\rtf1 {\\b bold {\\i italic"), u"bold italic");           // never closed
    EXPECT_EQ(Rtf("{\\rtf1 a}b}c"), u"a");                                       // after the end
    EXPECT_EQ(Rtf("{\\rtf1 a\\bin999999999 bcd}"), u"a");
    EXPECT_EQ(Rtf("{\\rtf1 a\\bin-5 b\\uc99999999 \\u1046 c}"), u"abЖ");
    EXPECT_EQ(Rtf("no rich text at all"), u"");
    // Far deeper than any page, and more closing braces than opening ones inside.
    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y}";
    EXPECT_EQ(Rtf(deep), u"xy");
    const std::string skipped = "{\\rtf1 {\\*\\x " + std::string(5000, '{') + "hid" + std::string(5000, '}') + "}z}";
    EXPECT_EQ(Rtf(skipped), u"z");
}

TEST(PageTextReader, PlainPagesAsTheEditorDecodesThem) {
    // "Жук" in UTF-8 with and without a byte order mark, Windows-1251, CP866 and UTF-16.
    EXPECT_EQ(PlainPageText("\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\r\nok", 1252), u"Жук\rok");
    EXPECT_EQ(PlainPageText("\xD0\x96\xD1\x83\xD0\xBA\nok", 1252), u"Жук\rok");
    EXPECT_EQ(PlainPageText("\xC6\xF3\xEA\rok", 1251), u"Жук\rok");
    EXPECT_EQ(PlainPageText("\x86\xE3\xAA", 866), u"Жук");
    EXPECT_EQ(PlainPageText("\xC6\xF3\xEA", 1252), u"Æóê");
    EXPECT_EQ(PlainPageText(std::string_view("\xFF\xFE\x16\x04\x43\x04\x3A\x04\x0D", 9), 1252), u"Жук");
    // Marked UTF-8 that is broken: one stand-in for each broken sequence.
    EXPECT_EQ(PlainPageText("\xEF\xBB\xBF" "a\xD0" "b\xE2\x82", 1252), u"a\uFFFDb\uFFFD");
    // Which reader: a plain page quoting rich text shows the markup, and so does a rich page cut
    // short, which the control refuses.
    EXPECT_EQ(ReadPageText("{\\rtf1 \\b x", true), u"{\\rtf1 \\b x");
    EXPECT_EQ(ReadPageText("{\\rtf1 {\\b x}\\par", false), u"{\\rtf1 {\\b x}\\par");
    EXPECT_EQ(ReadPageText("{\\rtf1 {\\b x}\\par}", false), u"x");
    EXPECT_EQ(ReadPageText("\xEF\xBB\xBF{\\rtf1\\ansi x}", false), u"{\\rtf1\\ansi x}");
}
