// What the page commands say to the user, in both interface languages.
#pragma once

#include <string>
#include <string_view>

#include "pages/folder_text.h"
#include "pages/page_name.h"
#include "ui/language_tables.h"

namespace tavrik::ui {

enum class PageText {
    NewPageBase,          // the proposed name of a new page is this followed by a number
    NameDialogCaption,
    NameExists,           // a new page: plain box
    IllegalCharacter,     // plain box
    RenameCaption,
    RenameExists,         // info box with RenameCaption
    CannotRename,         // plain box
    DeleteCaption,
    LastPage,             // info box with DeleteCaption
    NameEmpty,            // names the settings file or Windows cannot hold: plain boxes
    NameNotForSettings,
    NameNotForFiles,
    NameTooLong,
    NameNotForOldSettings,  // the settings file is in the ANSI code page, which lacks its characters
    UnreadablePage,       // shown in a page whose file cannot be read; %s is the reason
    MoveCaption,          // the page folder move: caption of its boxes
    FolderEmpty,          // the folder field was emptied
    FolderRelative,       // "notes", "\notes", "C:notes"
    MoveFailed,           // %s: the page files and the reasons; nothing moved, the folder stays
    MoveOldNotDeleted,    // %s: the old files left behind after a complete move
    FolderUnreachable,    // %s: the reason the new folder cannot be used
    ConvertFailed,        // %s: the pages and the reasons, one a line; those files are as they were
    NotSaved,             // %s: the pages whose last write failed; in the caption and the tray tip
    BothChanged,          // %s: the pages changed here and elsewhere; in the caption and the tray tip
    VersionFromElsewhere, // %s: a version's time; the text another program or computer wrote
    NoPrinter,            // the Print dialog found no printer
    PrintFailed,          // %s: the page's name, then the reason; nothing of it was printed
    PrintIncomplete,      // %s: the page's name, the sheets sent, the reason
    NameIsVersionsFolder, // plain box: the name of the folder that keeps the versions
    VersionsNotMoved,     // %s: the old folder's versions folder, then the reason; the pages did move
    VersionsCaption,      // the Versions dialog
    VersionsOfPage,       // %s: the page's name; above the list
    NoVersions,           // %s: the page's name; in place of the list
    VersionsTimeColumn,
    VersionsSizeColumn,
    VersionsTextColumn,
    VersionsOpenButton,   // opens the version picked as a new page
    VersionsCloseButton,
    VersionUnreadable,    // %s: the reason
    FindAllCaption,       // Find in all pages
    FindAllWhat,
    FindAllMatchCase,
    FindAllWholeWords,
    FindAllPageColumn,
    FindAllTextColumn,
    FindAllSearching,     // while the pages are being read
    FindAllCount,         // %s: the matches, then the pages they are on
    FindAllNothing,       // %s: the query
    FindAllFirstShown,    // %s: how many of the matches are listed
    FindAllUnread,        // %s: how many page files could not be read, so were not searched
    GoToPageCaption,
    GoToPageFilter,
    GoToPageShow,
};

std::u16string_view PageTextIn(PageText which, Language language);

// The question before a delete, with the page's name in it, saying where the page goes.
std::u16string DeleteQuestion(std::u16string_view pageName, Language language, bool toRecycleBin);

// The message for a typed page folder the check refused; FolderTextProblem::None has none.
PageText MessageFor(pages::FolderTextProblem problem);

// The message for a name the check refused; NameProblem::None has none.
PageText MessageFor(pages::NameProblem problem);

}  // namespace tavrik::ui
