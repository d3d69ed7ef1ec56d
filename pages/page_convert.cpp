// (Win32) TTavrikForm::ConvertPages: every page to plain or rich text, its text kept.
#include "app/error_box.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "editor/text_mode.h"
#include "pages/page_file_look.h"
#include "pages/page_version_files.h"
#include "ui/page_texts.h"

#include <richedit.h>

#include <functional>
#include <optional>

namespace tavrik::app {
namespace {

// A page without an editor: its file read as the page would have shown it in the old mode and
// written in the new one, so the page looks the same as if its editor had been there.
DWORD ConvertFile(const std::wstring& base, const std::wstring& path, bool toPlain,
                  std::optional<editor::ScratchEditor>& scratch, const editor::CharFormat& format,
                  const std::function<DWORD(const std::wstring& newFile)>& keepVersion) {
    pages::GiveOldFileItsExtension(base, path);  // as the page's first read would
    DWORD error = ERROR_SUCCESS;
    const pages::FileProbe probe = pages::ProbeFile(path, error);
    if (probe == pages::FileProbe::Absent) return ERROR_SUCCESS;  // never saved: nothing on disk to convert
    if (probe == pages::FileProbe::Unreachable) return error;
    const std::optional<std::string> bytes = app::ReadWholeFile(path, error);
    if (!bytes) return error;
    // One hidden control for all of them: an editor made for each would stay for the whole run.
    if (!scratch) scratch.emplace(format);
    const HWND control = scratch->Handle();
    if (!control) return ERROR_NOT_ENOUGH_MEMORY;
    editor::LoadPageBytes(control, *bytes, !toPlain);
    return app::ReplaceFileContents(
        path, [&](HANDLE file) { return editor::WritePage(control, file, toPlain); }, keepVersion);
}

}  // namespace

// A page is written when it has a file or its editor holds text; a page never saved and still
// empty gets no file, as before. Plain text keeps no formatting: every file replaced is kept as a
// version first, however lately the page kept one. A page whose file cannot be read, or whose new file cannot be
// written, keeps its file as it was (every write goes through a temporary file), and all such
// pages are named in one message.
bool TTavrikForm::ConvertPages(bool toPlain, HWND owner) {
    const editor::CharFormat format = DefaultFormat();
    std::optional<editor::ScratchEditor> scratch;
    std::vector<std::pair<std::wstring, DWORD>> failures;
    for (int i = 0; i < PageCount(); ++i) {
        PageSlot& slot = book_[i];
        const std::wstring path = PagePath(i);
        if (toPlain) slot.entry.color = params.DefaultRichEditColor;  // plain pages take the default background
        DWORD error = ERROR_SUCCESS;
        // An unreadable page's editor switches too, holding only the notice: its file is read in
        // the editor's mode once it can be read.
        if (slot.editor && !editor::SwitchTextMode(slot.editor, toPlain, format)) error = ERROR_NOT_SUPPORTED;
        if (slot.editor && toPlain && !slot.unreadable)
            SendMessageW(slot.editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(editor::ResolveColor(slot.entry.color)));
        if (error == ERROR_SUCCESS) {
            if (slot.editor && slot.loaded && !slot.unreadable) {
                // What is in the editor, unsaved typing included, not what the file held.
                if (app::FileExists(path) || GetWindowTextLengthW(slot.editor) > 0) {
                    slot.reformatted = true;  // the editor keeps its text: only its file's format changes
                    error = WritePageFile(i, true);
                }
            } else {
                std::wstring linked;
                error = ConvertFile(ToWide(params.SaveTo) + slot.name, path, toPlain, scratch, format,
                                    [&](const std::wstring& newFile) {
                    return KeepVersionIfDue(slot, path, newFile, false, true, linked);
                });
                if (error != ERROR_SUCCESS && !linked.empty()) (void)pages::DetachVersion(linked);
            }
        }
        if (error != ERROR_SUCCESS) failures.emplace_back(slot.name, error);
    }
    // Plain follows even when pages were left: the converted ones, and every editor, are in the
    // new mode, and new editors must be made in it. A file left in the old format still reads as
    // text: rich text in plain mode shows its text, plain text in rich mode is shown as it is.
    params.Plain = toPlain;
    if (failures.empty()) return true;
    std::wstring lines;
    for (const auto& [name, error] : failures) lines += name + L": " + SystemErrorText(error) + L"\r\n";
    ShowError(owner, FormatText(PageText(ui::PageText::ConvertFailed), {lines}));
    return false;
}

}  // namespace tavrik::app
