// The English and Russian texts of the interface: captions, hints and the style list, in applying order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tavrik::ui {

enum class Language : std::int32_t { English = 0, Russian = 1 };

// The setting as stored -> the language the interface speaks.
Language LanguageFromSetting(std::int32_t stored);

struct Bilingual {
    std::u16string_view english;
    std::u16string_view russian;
    constexpr std::u16string_view In(Language language) const {
        return language == Language::Russian ? russian : english;
    }
};

// A table of texts in both languages, each found by what it says.
template <class Which>
struct TextRow {
    Which which;
    Bilingual text;
};
template <class Which, std::size_t N>
constexpr std::u16string_view FindText(const TextRow<Which> (&rows)[N], Which which, Language language) {
    for (const TextRow<Which>& row : rows)
        if (row.which == which) return row.text.In(language);
    return {};
}

// Rows that name no component of their own.
inline constexpr std::u16string_view kApplicationComponent = u"Application";  // the application's title
inline constexpr std::u16string_view kMainFormComponent = u"TavrikForm";      // the main window's caption
inline constexpr std::u16string_view kOptionsFormComponent = u"OptionsForm";  // the dialog's caption

// One row of the main window's caption table or of the action hint table. "&" marks an access key.
struct ComponentText {
    std::u16string_view component;
    Bilingual text;
};

enum class OptionsTextKind { Caption, Hint, List };

// A list has one row per entry, in list order and next to each other; the dialog empties the list
// before its first entry.
struct OptionsText {
    std::u16string_view component;
    OptionsTextKind what;
    Bilingual text;
};

// The application title and window caption come first, then the menu items.
std::span<const ComponentText> MainWindowCaptions();
std::span<const ComponentText> ActionHints();
std::span<const OptionsText> OptionsDialogTexts();

std::optional<std::u16string_view> FindCaption(std::u16string_view component, Language language);
std::optional<std::u16string_view> FindHint(std::u16string_view action, Language language);
// A caption or hint of the Options dialog; list entries are not found here.
std::optional<std::u16string_view> FindOptionsText(std::u16string_view component, Language language);
std::vector<std::u16string_view> OptionsListEntries(std::u16string_view component, Language language);

std::u16string_view ProductName(Language language);

// The hint of a toolbar's chevron, the same in both languages.
inline constexpr std::u16string_view kChevronHint = u"Остальные кнопки";

struct MessageText {
    std::u16string_view caption;
    std::u16string_view text;
};

// Shown in both languages in one box, whatever the interface language.
MessageText HotKeyInUseMessage();

// The Russian words of the question asked before the pages become plain text.
MessageText PlainTextQuestion();

// What a change of hot key reports; nothing for a language setting other than the two known ones.
enum class HotKeyNotice { CannotRelease, InUse, IsSet };
std::optional<MessageText> HotKeyChangeMessage(HotKeyNotice notice, std::int32_t languageSetting);

}  // namespace tavrik::ui
