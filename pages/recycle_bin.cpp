// Deleting to the Recycle Bin through the shell.
#include "pages/recycle_bin.h"
#include "pages/page_io.h"

#include <windows.h>
#include <shellapi.h>

namespace tavrik::pages {
namespace {
std::function<bool(const std::wstring&)>& Hook() {
    static std::function<bool(const std::wstring&)> hook;
    return hook;
}

}  // namespace

void SetRecycleBinHook(std::function<bool(const std::wstring& path)> hook) { Hook() = std::move(hook); }

bool SendToRecycleBin(const std::wstring& path) {
    if (Hook()) return Hook()(path);
    // The shell takes a list of names, each closed by a NUL and the list by one more; relative names
    // are resolved against a current folder other threads may change, so the name goes in full.
    std::wstring from = FullPath(path);
    while (!from.empty() && (from.back() == L'\\' || from.back() == L'/')) from.pop_back();  // a folder's name alone
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();  // c_str's own NUL closes the list
    // Never a question, a progress window or an error box: the program reports for itself.
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR;
    const int result = SHFileOperationW(&op);
    // Its codes are the old DE_ ones rather than the system's errors; whether the name is gone says it plainly.
    return result == 0 && !op.fAnyOperationsAborted && GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace tavrik::pages
