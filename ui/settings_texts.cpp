// The settings file's messages. Each speaks both languages: while the file cannot be read, the
// interface language is only the default, not necessarily the user's.
#include "ui/settings_texts.h"

namespace tavrik::ui {
namespace {

constexpr std::u16string_view kCaption = u"Settings file — Файл настроек";

constexpr MessageText kUnreadable = {
    kCaption,
    u"Tavrik cannot read its settings file. Until it can, Tavrik runs on the default settings and writes "
    u"nothing to the file, so the settings and the page list in it stay as they are. Once the file can "
    u"be read again, Tavrik offers to restart.\r\n\r\n"
    u"Таврик не может прочитать файл настроек. Пока файл не читается, Таврик работает с настройками по "
    u"умолчанию и ничего не записывает в файл, так что настройки и список страниц в нём остаются как есть. "
    u"Когда файл снова станет читаться, Таврик предложит перезапуститься.\r\n\r\n"
    u"%s\r\n%s",
};

constexpr MessageText kBackQuestion = {
    kCaption,
    u"The settings file can be read again. Restart Tavrik now to take up its settings and page list? "
    u"Your pages are saved first.\r\n\r\n"
    u"Файл настроек снова читается. Перезапустить Таврик сейчас, чтобы взять из него настройки и список "
    u"страниц? Сначала страницы будут сохранены.\r\n\r\n"
    u"%s",
};

constexpr MessageText kCannotRestart = {
    kCaption,
    u"Tavrik cannot start again, and goes on as before.\r\n"
    u"Таврик не может запуститься заново и продолжает работать как раньше.\r\n\r\n"
    u"%s\r\n%s",
};

}  // namespace

MessageText SettingsUnreadableMessage() { return kUnreadable; }
MessageText SettingsBackQuestion() { return kBackQuestion; }
MessageText CannotRestartMessage() { return kCannotRestart; }

}  // namespace tavrik::ui
