// Every caption in both languages: an "&" only where it marks an access key, none in a window's title.
#include "ui/about_texts.h"
#include "ui/dialog_texts.h"
#include "ui/language_tables.h"
#include "ui/move_texts.h"
#include "ui/page_texts.h"
#include "ui/rescue_texts.h"
#include "ui/unlisted_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavrik::ui;

namespace {

// Title: a window's or a box's caption, where "&" shows as it is. Control: a menu item, button,
// tab, check box or label, where one "&" marks the access key and "&&" is a literal ampersand.
enum class Kind { Title, Control };

struct Caption {
    std::string name;
    Kind kind;
    Bilingual text;
};

bool IsKeyCharacter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           (c >= 0x0410 && c <= 0x044F) || c == 0x0401 || c == 0x0451;  // А-я, Ё, ё
}

// Empty when the text is right for its kind, else what is wrong with it.
std::string Fault(std::u16string_view text, Kind kind) {
    if (text.empty()) return "empty";
    int keys = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (kind == Kind::Title) return "an ampersand in a title";
        if (i + 1 < text.size() && text[i + 1] == u'&') {
            ++i;  // "&&": one ampersand shown
        } else if (i + 1 == text.size() || !IsKeyCharacter(text[i + 1])) {
            return "an access key on no letter";
        } else if (++keys > 1) {
            return "two access keys";
        }
    }
    return {};
}

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

template <class Which, class Lookup>
void AddTexts(std::vector<Caption>& all, Lookup lookup, Kind kind, std::initializer_list<Which> which) {
    for (Which w : which)
        all.push_back({"#" + std::to_string(static_cast<int>(w)), kind,
                       {lookup(w, Language::English), lookup(w, Language::Russian)}});
}

std::vector<Caption> AllCaptions() {
    std::vector<Caption> all;
    for (const ComponentText& row : MainWindowCaptions()) {
        const bool title = row.component == kApplicationComponent || row.component == kMainFormComponent;
        all.push_back({Narrow(row.component), title ? Kind::Title : Kind::Control, row.text});
    }
    for (const OptionsText& row : OptionsDialogTexts()) {
        if (row.what != OptionsTextKind::Caption) continue;  // hints and list entries are shown as written
        all.push_back({Narrow(row.component), row.component == kOptionsFormComponent ? Kind::Title : Kind::Control,
                       row.text});
    }
    AddTexts<PageText>(all, PageTextIn, Kind::Title,
                       {PageText::NameDialogCaption, PageText::RenameCaption, PageText::DeleteCaption,
                        PageText::MoveCaption, PageText::VersionsCaption, PageText::FindAllCaption,
                        PageText::GoToPageCaption});
    AddTexts<PageText>(all, PageTextIn, Kind::Control,
                       {PageText::VersionsOpenButton, PageText::VersionsCloseButton, PageText::FindAllWhat,
                        PageText::FindAllMatchCase, PageText::FindAllWholeWords, PageText::GoToPageFilter,
                        PageText::GoToPageShow});
    AddTexts<UnlistedText>(all, UnlistedTextIn, Kind::Title, {UnlistedText::DialogCaption, UnlistedText::OpenCaption});
    AddTexts<UnlistedText>(all, UnlistedTextIn, Kind::Control,
                           {UnlistedText::AddButton, UnlistedText::BesideButton, UnlistedText::RecycleButton,
                            UnlistedText::CloseButton});
    AddTexts<DialogText>(all, DialogTextIn, Kind::Title, {DialogText::HelpCaption});
    AddTexts<DialogText>(all, DialogTextIn, Kind::Control, {DialogText::NameOkButton, DialogText::NameCancelButton});
    AddTexts<MoveText>(all, MoveTextIn, Kind::Title, {MoveText::NotMovedCaption});
    AddTexts<RescueText>(all, RescueTextIn, Kind::Title, {RescueText::LeftoverCaption, RescueText::RescueCaption});
    all.push_back({"About", Kind::Title, {AboutCaption(Language::English), AboutCaption(Language::Russian)}});
    for (const MessageText& box : {HotKeyInUseMessage(), PlainTextQuestion()})
        all.push_back({"box", Kind::Title, {box.caption, box.caption}});
    for (HotKeyNotice notice : {HotKeyNotice::CannotRelease, HotKeyNotice::InUse, HotKeyNotice::IsSet})
        all.push_back({"hot key box", Kind::Title,
                       {HotKeyChangeMessage(notice, 0)->caption, HotKeyChangeMessage(notice, 1)->caption}});
    return all;
}

}  // namespace

TEST(Captions, EveryCaptionInBothLanguagesMarksOnlyAccessKeys) {
    for (const Caption& caption : AllCaptions()) {
        for (const std::u16string_view text : {caption.text.english, caption.text.russian})
            EXPECT_EQ(Fault(text, caption.kind), "") << caption.name << ": " << Narrow(text);
    }
}
