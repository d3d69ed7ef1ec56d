// (Win32) TTavrikForm::SaveButtonClick: a copy of the current page in a file the user picks.
#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/export_format.h"
#include "pages/page_file_look.h"
#include "settings/parameters.h"

namespace tavrik::app {

// The page, its file and the page list stay as they are. The format follows the type picked (or
// the name's extension): a .txt file never holds rich text. The copy replaces an existing file
// whole, after the dialog's question, or not at all.
void TTavrikForm::SaveButtonClick() {
    const int index = TabIndex();
    const HWND editor = Editor(index);
    if (!editor) return;
    if (Page(index).unreadable) {  // its editor holds only the reason: there is no text to save
        ShowError(hwnd_, editor::GetText(editor));  // which says why it could not be read
        return;
    }
    const SaveRequest request{ToWide(params.LastSave), PageName(index), params.Plain ? L"txt" : L"rtf",
                              pages::DefaultExportType(params.Plain)};
    const auto choice = ChooseSaveFile(hwnd_, request);
    if (!choice || choice->path.empty()) return;
    const bool text = pages::ExportFormatFor(ToU16(choice->path), choice->type) == pages::ExportFormat::Text;
    // A read-only file is refused as Windows refuses to replace it; Wine would replace it.
    const DWORD attributes = GetFileAttributesW(choice->path.c_str());
    const DWORD error = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)
                            ? ERROR_ACCESS_DENIED
                            : app::ReplaceFileContents(choice->path, [&](HANDLE file) {
                                  return editor::WritePage(editor, file, text);
                              });
    if (error != ERROR_SUCCESS) {
        ShowCannotCreateFile(hwnd_, choice->path, error);
        return;  // the old file, if any, is whole; nothing is remembered
    }
    // Remembered for the next start; this run keeps offering the folder it started with.
    settings::Parameters remembered = params;
    remembered.LastSave = pages::FolderOfPath(ToU16(choice->path));
    (void)IniFile->WriteParameters(remembered, {&settings::Parameters::LastSave});
}

}  // namespace tavrik::app
