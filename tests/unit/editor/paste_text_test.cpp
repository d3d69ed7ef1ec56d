// Pasted text through the code page detection: Unicode in, Unicode out.
#include "editor/paste_text.h"

#include <gtest/gtest.h>

using tavrik::editor::RecodePastedText;

namespace {
// "Широкая электрификация южных губерний даст мощный толчок подъему сельского хозяйства."
const std::u16string kRussian = u"\u0428\u0438\u0440\u043E\u043A\u0430\u044F \u044D\u043B\u0435\u043A\u0442\u0440\u0438\u0444\u0438\u043A\u0430\u0446\u0438\u044F \u044E\u0436\u043D\u044B\u0445 \u0433\u0443\u0431\u0435\u0440\u043D\u0438\u0439 \u0434\u0430\u0441\u0442 \u043C\u043E\u0449\u043D\u044B\u0439 \u0442\u043E\u043B\u0447\u043E\u043A \u043F\u043E\u0434\u044A\u0435\u043C\u0443 \u0441\u0435\u043B\u044C\u0441\u043A\u043E\u0433\u043E \u0445\u043E\u0437\u044F\u0439\u0441\u0442\u0432\u0430.";
// The same sentence as the clipboard shows it when its bytes in another code page were taken for
// Windows-1251 (made with iconv from the sentence above, then read back as cp1251).
const std::u16string kAsKoi8 = u"\u044B\u0419\u0422\u041F\u041B\u0411\u0421 \u042C\u041C\u0415\u041B\u0424\u0422\u0419\u0416\u0419\u041B\u0411\u0413\u0419\u0421 \u0410\u0426\u041E\u0429\u0418 \u0417\u0425\u0412\u0415\u0422\u041E\u0419\u041A \u0414\u0411\u0423\u0424 \u041D\u041F\u042D\u041E\u0429\u041A \u0424\u041F\u041C\u042E\u041F\u041B \u0420\u041F\u0414\u042F\u0415\u041D\u0425 \u0423\u0415\u041C\u0428\u0423\u041B\u041F\u0417\u041F \u0418\u041F\u042A\u0421\u041A\u0423\u0424\u0427\u0411.";
const std::u16string kAsIso = u"\u0418\u0428\u0430\u042E\u042A\u0420\u043F \u043D\u042B\u0425\u042A\u0432\u0430\u0428\u0434\u0428\u042A\u0420\u0436\u0428\u043F \u043E\u0426\u042D\u043B\u0435 \u0423\u0433\u0421\u0425\u0430\u042D\u0428\u0429 \u0424\u0420\u0431\u0432 \u042C\u042E\u0439\u042D\u043B\u0429 \u0432\u042E\u042B\u0437\u042E\u042A \u042F\u042E\u0424\u043A\u0425\u042C\u0433 \u0431\u0425\u042B\u043C\u0431\u042A\u042E\u0423\u042E \u0435\u042E\u0427\u043F\u0429\u0431\u0432\u0422\u0420.";
const std::u16string kAsDos = u"\u0098\u0401\u0430\u00AE\u0404\u00A0\u043F \u043D\u00AB\u0490\u0404\u0432\u0430\u0401\u0434\u0401\u0404\u00A0\u0436\u0401\u043F \u043E\u00A6\u00AD\u043B\u0435 \u0408\u0433\u040E\u0490\u0430\u00AD\u0401\u00A9 \u00A4\u00A0\u0431\u0432 \u00AC\u00AE\u0439\u00AD\u043B\u00A9 \u0432\u00AE\u00AB\u0437\u00AE\u0404 \u0407\u00AE\u00A4\u043A\u0490\u00AC\u0433 \u0431\u0490\u00AB\u043C\u0431\u0404\u00AE\u0408\u00AE \u0435\u00AE\u00A7\u043F\u00A9\u0431\u0432\u045E\u00A0.";
}  // namespace

TEST(PasteText, WrongCodePagesComeBackAsRussian) {
    EXPECT_EQ(RecodePastedText(kAsKoi8), kRussian);
    EXPECT_EQ(RecodePastedText(kAsIso), kRussian);
    EXPECT_EQ(RecodePastedText(kAsDos), kRussian);
}

TEST(PasteText, RightTextComesBackExactly) {
    EXPECT_EQ(RecodePastedText(kRussian), kRussian);
    EXPECT_EQ(RecodePastedText(u"Plain ASCII, nothing to do.\r\n"), u"Plain ASCII, nothing to do.\r\n");
    EXPECT_EQ(RecodePastedText(u""), u"");
    // Characters outside Windows-1251, a surrogate pair among them, are never touched.
    const std::u16string foreign = u"\u4E2D\u6587 \U0001F600 \u00E9t\u00E9";
    EXPECT_EQ(RecodePastedText(foreign), foreign);
}

TEST(PasteText, CharactersOutsideTheCodePageStayWhereTheyWere) {
    // The KOI8-R sentence with a Chinese character after its tenth character.
    const std::u16string mixed = u"\u044B\u0419\u0422\u041F\u041B\u0411\u0421 \u042C\u041C\u4E2D\u0415\u041B\u0424\u0422\u0419\u0416\u0419\u041B\u0411\u0413\u0419\u0421 \u0410\u0426\u041E\u0429\u0418 \u0417\u0425\u0412\u0415\u0422\u041E\u0419\u041A \u0414\u0411\u0423\u0424 \u041D\u041F\u042D\u041E\u0429\u041A \u0424\u041F\u041C\u042E\u041F\u041B \u0420\u041F\u0414\u042F\u0415\u041D\u0425 \u0423\u0415\u041C\u0428\u0423\u041B\u041F\u0417\u041F \u0418\u041F\u042A\u0421\u041A\u0423\u0424\u0427\u0411.";
    std::u16string expected = kRussian;
    expected.insert(10, u"\u4E2D");
    EXPECT_EQ(RecodePastedText(mixed), expected);
}
