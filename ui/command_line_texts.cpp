// The command line's texts, and the placement option's, in both interface languages.
#include "ui/command_line_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<CommandLineText>;

constexpr Row kRows[] = {
    {CommandLineText::Caption, {u"Tavrik command line", u"Командная строка Таврика"}},
    {CommandLineText::Usage,
     {u"tavrik.exe /show\tshow the window\r\n"
      u"tavrik.exe /hide\thide the window\r\n"
      u"tavrik.exe /toggle\tshow or hide the window\r\n"
      u"tavrik.exe /new [name]\ta new page\r\n"
      u"tavrik.exe /page name\tshow that page\r\n"
      u"tavrik.exe [/page name] /append text\tadd a line to the page, the window left as it is\r\n"
      u"tavrik.exe /autostart on|off\tstart with Windows or not\r\n"
      u"tavrik.exe /pagefolder file\twrite the folder of the pages to the file\r\n"
      u"tavrik.exe /help\tthis list",
      u"tavrik.exe /show\tпоказать окно\r\n"
      u"tavrik.exe /hide\tспрятать окно\r\n"
      u"tavrik.exe /toggle\tпоказать или спрятать окно\r\n"
      u"tavrik.exe /new [имя]\tновая страница\r\n"
      u"tavrik.exe /page имя\tпоказать эту страницу\r\n"
      u"tavrik.exe [/page имя] /append текст\tдобавить строку в страницу, не трогая окно\r\n"
      u"tavrik.exe /autostart on|off\tзапускать с Windows или нет\r\n"
      u"tavrik.exe /pagefolder файл\tзаписать папку страниц в файл\r\n"
      u"tavrik.exe /help\tэтот список"}},
    {CommandLineText::UnknownSwitch, {u"Unknown switch: %s", u"Неизвестный ключ: %s"}},
    {CommandLineText::MissingValue, {u"The switch %s needs a value.", u"Ключу %s нужно значение."}},
    {CommandLineText::BadValue, {u"Not a value this switch takes: %s", u"Ключ не принимает такое значение: %s"}},
    {CommandLineText::ExtraArgument, {u"Argument not expected: %s", u"Лишний аргумент: %s"}},
    {CommandLineText::UnknownPage, {u"There is no page \"%s\".", u"Страницы \"%s\" нет."}},
};

constexpr OptionsText kPlacementTexts[] = {
    {kMouseMonitorComponent, OptionsTextKind::Caption,
     {u"Show on the monitor with the mouse pointer", u"Показывать на мониторе с указателем мыши"}},
};

}  // namespace

std::u16string_view CommandLineTextIn(CommandLineText which, Language language) {
    return FindText(kRows, which, language);
}

std::u16string CommandLineErrorMessage(const app::CommandLineError& error, Language language) {
    CommandLineText which = CommandLineText::ExtraArgument;
    switch (error.what) {
    case app::CommandError::UnknownSwitch: which = CommandLineText::UnknownSwitch; break;
    case app::CommandError::MissingValue: which = CommandLineText::MissingValue; break;
    case app::CommandError::BadValue: which = CommandLineText::BadValue; break;
    case app::CommandError::ExtraArgument: which = CommandLineText::ExtraArgument; break;
    }
    std::u16string text(CommandLineTextIn(which, language));
    if (const std::size_t at = text.find(u"%s"); at != std::u16string::npos) text.replace(at, 2, error.argument);
    return text + u"\r\n\r\n" + std::u16string(CommandLineTextIn(CommandLineText::Usage, language));
}

std::span<const OptionsText> PlacementOptionsTexts() { return kPlacementTexts; }

}  // namespace tavrik::ui
