// The interface texts in both languages, kept in the order in which they are applied.
#include "ui/language_tables.h"
#include "ui/command_line_texts.h"

#include <algorithm>

namespace tavrik::ui {

namespace {

// The caption of the popup item Exit, the chevron hint and the dialog's OK button are not here:
// they read the same in both languages and keep the text they are built with.
constexpr ComponentText kMainWindowCaptions[] = {
    {kApplicationComponent, {u"Tavrik", u"Таврик"}},
    {kMainFormComponent, {u"Tavrik", u"Таврик"}},
    {u"FileSubMenu", {u"&File", u"&Файл"}},
    {u"CreateSubMenu", {u"&New", u"Созд&ать"}},
    {u"GoToPageSubMenu", {u"&Go to Page…", u"Пере&йти к странице…"}},
    {u"OpenSubMenu", {u"&Open", u"&Открыть"}},
    {u"CloseSubMenu", {u"&Close", u"&Закрыть"}},
    {u"SaveAsSubMenu", {u"&Save As", u"Со&хранить как"}},
    {u"PrintSubMenu", {u"&Print", u"&Печать"}},
    {u"VersionsSubMenu", {u"&Versions…", u"Вер&сии…"}},
    {u"UnlistedPagesSubMenu", {u"Pages Not in the &List…", u"Страницы &не в списке…"}},
    {u"ExitSubMenu", {u"E&xit", u"&Выход"}},
    {u"EditSubMenu", {u"&Edit", u"&Правка"}},
    {u"UndoMenuItem", {u"&Undo", u"&Отменить"}},
    {u"CutMenuItem", {u"Cu&t", u"&Вырезать"}},
    {u"CopyMenuItem", {u"&Copy", u"&Копировать"}},
    {u"PasteMenuItem", {u"&Paste", u"Вст&авить"}},
    {u"SelAllMenuItem", {u"Select &All", u"В&ыделить все"}},
    {u"FindMenuItem", {u"&Find", u"Найт&и"}},
    {u"FindAllMenuItem", {u"Find in All Pa&ges…", u"Найти на всех &страницах…"}},
    {u"ReplaceMenuItem", {u"&Replace", u"&Заменить"}},
    {u"InsObjectMenuItem", {u"Insert Ob&ject", u"Вставить об&ъект"}},
    {u"ViewSubMenu", {u"&View", u"&Вид"}},
    {u"MainMenuItem", {u"Show &Menu", u"Показать &меню"}},
    {u"ToolbarsMenuItem", {u"&Toolbars", u"Панели &инструментов"}},
    {u"WordWrapMenuItem", {u"&Word Wrap", u"&Перенос по словам"}},
    {u"StandardToolbarMenuItem", {u"&Standard", u"&Стандартная"}},
    {u"FormatToolbarMenuItem", {u"&Format", u"&Форматирование"}},
    {u"PagesToolbarMenuItem", {u"&Pages", u"Ст&раницы"}},
    {u"OptionsToolbarMenuItem", {u"&Options", u"&Настройки"}},
    {u"FormatSubMenu", {u"&Format", u"Фор&мат"}},
    {u"FontMenuItem", {u"F&ont", u"&Шрифт"}},
    {u"BackgroundMenuItem", {u"&Background color", u"&Цвет фона"}},
    {u"OptionsSubMenu", {u"&Service", u"С&ервис"}},
    {u"LanguageMenuItem", {u"&Language", u"&Язык"}},
    {u"OptionsMenuItem", {u"&Options", u"&Настройки"}},
    {u"RussianLangMenuItem", {u"&Russian", u"&Русский"}},
    {u"EnglishLangMenuItem", {u"&English", u"&English"}},
    {u"HelpSubMenu", {u"&Help", u"&Справка"}},
    {u"HelpMenuItem", {u"&Help", u"&Справка"}},
    {u"AboutMenuItem", {u"&About", u"&О программе"}},
    {u"CatchClipboard", {u"Catch Clipboard", u"Захват буфера обмена"}},
    {u"HideMenu", {u"Hide Tavrik", u"Скрыть Таврик"}},
    {u"ShowMenu", {u"Show Tavrik", u"Показать Таврик"}},
    {u"CopyHiperlinkMenu", {u"Copy Hyperlink", u"Скопировать ссылку"}},
    {u"SelectAllMenu", {u"Select All", u"Выделить все"}},
    {u"CopyMenu", {u"Copy", u"Копировать"}},
    {u"CutMenu", {u"Cut", u"Вырезать"}},
    {u"PasteMenu", {u"Paste", u"Вставить"}},
    {u"UndoMenu", {u"Undo", u"Отменить"}},
    {u"FindMenu", {u"Find", u"Найти"}},
    {u"FontMenu", {u"Font", u"Шрифт"}},
    {u"ShowMenuMenu", {u"ShowMenu", u"Показать меню"}},
    {u"NewPageMenu", {u"New page", u"Новая страница"}},
    {u"RenamePageMenu", {u"Rename page", u"Переименовать страницу"}},
    {u"DeletePageMenu", {u"Delete page", u"Удалить страницу"}},
    {u"VersionsMenu", {u"Versions…", u"Версии…"}},
    {u"GoToPageMenu", {u"Go to page…", u"Перейти к странице…"}},
};

constexpr ComponentText kActionHints[] = {
    {u"SelectAllAction", {u"Select All (Ctrl+A)", u"Выделить все (Ctrl+A)"}},
    {u"CutAction", {u"Cut (Ctrl+X)", u"Вырезать (Ctrl+X)"}},
    {u"CopyAction", {u"Copy (Ctrl+C)", u"Скопировать (Ctrl+C)"}},
    {u"PasteAction", {u"Paste (Ctrl+V)", u"Вставить (Ctrl+V)"}},
    {u"OptionsAction", {u"Change the program options", u"Поменять настройки программы"}},
    {u"UndoAction", {u"Undo (Ctrl+Z)", u"Отменить действие (Ctrl+Z)"}},
    {u"FindAction", {u"Find (Ctrl+F)", u"Найти текст (Ctrl+F)"}},
    {u"FindAllAction", {u"Find in all pages (Ctrl+Shift+F)", u"Найти на всех страницах (Ctrl+Shift+F)"}},
    {u"GoToPageAction", {u"Go to page (Ctrl+G)", u"Перейти к странице (Ctrl+G)"}},
    {u"SaveAction", {u"Save as", u"Сохранить как"}},
    {u"PrintAction", {u"Print (Ctrl+P)", u"Печать (Ctrl+P)"}},
    {u"PrevPageAction", {u"Previous page", u"Предыдущая страница"}},
    {u"NextPageAction", {u"Next page", u"Следующая страница"}},
    {u"NewPageAction", {u"Add new page", u"Новая страница"}},
    {u"DeletePageAction", {u"Delete current page", u"Удалить текущую страницу"}},
};

constexpr OptionsTextKind Caption = OptionsTextKind::Caption;
constexpr OptionsTextKind Hint = OptionsTextKind::Hint;
constexpr OptionsTextKind List = OptionsTextKind::List;

// Hints are shown as written: the tooltips need TTS_NOPREFIX, or the "&" of the default font hint
// is taken for an access key and vanishes.
constexpr OptionsText kOptionsDialogTexts[] = {
    {kOptionsFormComponent, Caption, {u"Options", u"Настройки"}},  // a title shows no access key
    {u"CancelButton", Caption, {u"&Cancel", u"&Отмена"}},
    {u"ApplyButton", Caption, {u"&Apply", u"&Применить"}},
    {u"TabSheet1", Caption, {u"&Interface", u"&Интерфейс"}},
    {u"TabSheet5", Caption, {u"&Editor", u"&Редактор"}},
    {u"TabSheet3", Caption, {u"&HotKey", u"&Гор.клавиша"}},
    {u"TabSheet4", Caption, {u"&Main", u"О&бщие"}},
    {u"StyleLabel", Caption, {u"Style", u"Вид"}},
    {u"StyleComboBox", List, {u"Disabled", u"Обычный"}},
    {u"StyleComboBox", List, {u"Office XP", u"Офис XP"}},
    {u"StyleComboBox", List, {u"Windows XP", u"Windows XP"}},
    {u"MultitabsCB", Caption, {u"Multiline tabs", u"Закладки в несколько строк"}},
    {u"ShowCoolCheckBox", Caption, {u"Show with Fade effect (Win2K, WinXP)",
                                    u"Появляться плавно (Win2K и WinXP)"}},
    {u"TransparencyLabel", Caption, {u"Transparency level", u"Степень прозрачности"}},
    {u"FadeSpeedLabel", Caption, {u"Speed", u"Скор."}},
    {u"FontDefaultButton", Hint, {u"Select Default font size & color",
                                  u"Настройте цвет и размер шрифта по-умолчанию"}},
    {u"ColorDefaultButton", Hint, {u"Select Default background color", u"Выберите цвет фона по-умолчанию"}},
    {u"NoTransparencyCB", Caption, {u"Don't use the transparency effects (troubleshooting)",
                                    u"Не использовать эффект прозрачности"}},
    {u"PlainCB", Caption, {u"Store pages as Plain Text", u"Хранить страницы как простой текст"}},
    {u"AutoTabCB", Caption, {u"AutoTab", u"Автоотступ"}},
    {u"AutoDecodeCB", Caption, {u"AutoDecode", u"Автомат. перекодировка"}},
    {u"AutoDecodeWarningLabel", Caption,
     {u"Warning! This option for RUSSIAN users only! "
      u"If You don't use russian text then this option is useless for You.",
      u"Внимание! Автоопределение кодировки текста при вставке из буфера правильно работает "
      u"на длинных текстах, на небольших текстах возможны ошибки!"}},
    {u"AutoSaveLabel", Caption, {u"Save changed pages after", u"Сохранять изменения через"}},
    {u"AutoSaveUnitLabel", Caption, {u"s of quiet (0: off)", u"с покоя (0 - нет)"}},
    {u"SpellCheckCB", Caption, {u"Check &spelling as I type", u"Проверять &орфографию при вводе"}},
    {u"NoCatchLabel", Caption, {u"Never catch copies &from (program files, ; between):",
                                u"Не &захватывать копии из программ (файлы через ;):"}},
    {u"HotKeyLabel", Caption, {u"Hotkey combination", u"Горячая клавиша"}},
    {u"UseHotKeyButton", Caption, {u"Use now", u"Задействовать"}},
    {u"SaveToLabel", Caption, {u"Save To", u"Хранить тут"}},
    {u"DirectoryEdit1", Hint, {u"Place where to save your notes", u"Место для хранения Вашей информации"}},
    {u"ClosMinCheckBox", Caption, {u"CLOSE work as MINIMIZE", u"ЗАКРЫТЬ работает как СВЕРНУТЬ"}},
    {u"OnTopCheckBox", Caption, {u"Always on Top", u"Поверх всех окон"}},
    {u"AutostartCheckBox", Caption, {u"Start with Windows", u"Запускать вместе с Windows"}},
    {u"AutoHideCheckBox", Caption, {u"Auto hide if inactive", u"Скрывать окно если не активно"}},
    {u"ShowIconCheckBox", Caption, {u"Show icon in tray", u"Иконка в трее"}},
    {u"HideTimeoutLabel", Caption, {u"Timeout", u"Задержка"}},
    {u"SecundLabel", Caption, {u"sec", u"сек"}},
};

constexpr Bilingual kProductName = {u"Tavrik", u"Таврик"};

constexpr MessageText kPlainTextQuestion = {
    u"Подтвердите",
    u"Сохранив странички в виде простого текста вы теряете\r"
    u"возможность вставлять в текст объекты, рисунки,\r"
    u"менять шрифт у отдельных кусков текста и т.д.\r"
    u"Вы уверены что хотите продолжить ?",
};

constexpr MessageText kHotKeyInUse = {
    u"Hotkey combination error",
    u"The hotkey combination is in use by another application.\r"
    u"Клавиша уже занята другой программой.",
};

std::optional<std::u16string_view> Find(std::span<const ComponentText> table, std::u16string_view component,
                                        Language language) {
    const auto it = std::ranges::find(table, component, &ComponentText::component);
    if (it == table.end()) return std::nullopt;
    return it->text.In(language);
}

}  // namespace

// Only 1 is Russian: a value written by hand or by a later version falls back to English.
Language LanguageFromSetting(std::int32_t stored) {
    return stored == 1 ? Language::Russian : Language::English;
}

std::span<const ComponentText> MainWindowCaptions() { return kMainWindowCaptions; }
std::span<const ComponentText> ActionHints() { return kActionHints; }
std::span<const OptionsText> OptionsDialogTexts() { return kOptionsDialogTexts; }

std::optional<std::u16string_view> FindCaption(std::u16string_view component, Language language) {
    return Find(kMainWindowCaptions, component, language);
}

std::optional<std::u16string_view> FindHint(std::u16string_view action, Language language) {
    return Find(kActionHints, action, language);
}

std::optional<std::u16string_view> FindOptionsText(std::u16string_view component, Language language) {
    for (const OptionsText& row : kOptionsDialogTexts) {
        if (row.component == component && row.what != OptionsTextKind::List) return row.text.In(language);
    }
    for (const OptionsText& row : PlacementOptionsTexts())  // ui/command_line_texts.cpp
        if (row.component == component) return row.text.In(language);
    return std::nullopt;
}

std::vector<std::u16string_view> OptionsListEntries(std::u16string_view component, Language language) {
    std::vector<std::u16string_view> entries;
    for (const OptionsText& row : kOptionsDialogTexts) {
        if (row.component == component && row.what == OptionsTextKind::List) {
            entries.push_back(row.text.In(language));
        }
    }
    return entries;
}

std::u16string_view ProductName(Language language) { return kProductName.In(language); }

MessageText PlainTextQuestion() { return kPlainTextQuestion; }

MessageText HotKeyInUseMessage() { return kHotKeyInUse; }

std::optional<MessageText> HotKeyChangeMessage(HotKeyNotice notice, std::int32_t languageSetting) {
    const bool russian = languageSetting == 1;
    if (languageSetting != 0 && !russian) return std::nullopt;
    const std::u16string_view error = russian ? u"Ошибка комбинации горячей клавиши" : u"Hotkey combination error";
    switch (notice) {
    case HotKeyNotice::CannotRelease:
        return MessageText{error, russian ? u"Не могу освободить гор.клавишу." : u"Can't release current HotKey."};
    case HotKeyNotice::InUse:
        return MessageText{error, russian ? u"Клавиша уже занята другой программой." : u"This HotKey is used another application."};
    case HotKeyNotice::IsSet:
        return MessageText{russian ? u"Успешно" : u"Succesfull",
                           russian ? u"Клавиша успешно установлена." : u"HotKey is set."};
    }
    return std::nullopt;
}

}  // namespace tavrik::ui
