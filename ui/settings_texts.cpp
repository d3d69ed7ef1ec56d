// The settings file's messages.
#include "ui/settings_texts.h"

namespace tavrik::ui {
namespace {

constexpr MessageText kUnreadable = {
    u"Settings file — Файл настроек",
    u"Tavrik cannot read its settings file. Until it can, Tavrik runs on the default settings and writes "
    u"nothing to the file, so the settings and the page list in it stay as they are. Once the file can "
    u"be read again, Tavrik offers to restart.\r\n\r\n"
    u"Таврик не может прочитать файл настроек. Пока файл не читается, Таврик работает с настройками по "
    u"умолчанию и ничего не записывает в файл, так что настройки и список страниц в нём остаются как есть. "
    u"Когда файл снова станет читаться, Таврик предложит перезапуститься.\r\n\r\n"
    u"%s\r\n%s",
};

constexpr Bilingual kCaption = {u"Settings file", u"Файл настроек"};

constexpr Bilingual kBackQuestion = {
    u"The settings file can be read again:\r\n%s\r\n\r\nRestart Tavrik now to take up its settings and "
    u"page list? Your pages are saved first.",
    u"Файл настроек снова читается:\r\n%s\r\n\r\nПерезапустить Таврик сейчас, чтобы взять из него "
    u"настройки и список страниц? Сначала страницы будут сохранены.",
};

constexpr Bilingual kCannotRestart = {
    u"Tavrik cannot start again:\r\n%s\r\n%s\r\n\r\nIt goes on as before.",
    u"Таврик не может запуститься заново:\r\n%s\r\n%s\r\n\r\nОн продолжает работать как раньше.",
};

}  // namespace

MessageText SettingsUnreadableMessage() { return kUnreadable; }

MessageText SettingsBackQuestion(Language language) { return {kCaption.In(language), kBackQuestion.In(language)}; }

MessageText CannotRestartMessage(Language language) { return {kCaption.In(language), kCannotRestart.In(language)}; }

}  // namespace tavrik::ui
