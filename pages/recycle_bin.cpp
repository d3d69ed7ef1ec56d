// (Win32) Deleting to the Recycle Bin through the shell.
#include "pages/recycle_bin.h"
#include "app/text.h"
#include "pages/page_file_look.h"
#include "pages/recycle_place.h"
#include "pages/shell_path.h"

#include <windows.h>
#include <shellapi.h>
#include <shobjidl.h>

namespace tavrik::pages {
namespace {
std::function<bool(const std::wstring&)>& Hook() {
    static std::function<bool(const std::wstring&)> hook;
    return hook;
}

// Stops every delete the shell would not send to the bin. Without it FOF_NOCONFIRMATION lets the
// shell delete outright whatever the bin cannot take, and report success.
class RecycleOnly final : public IFileOperationProgressSink {
public:
    bool refused = false;  // the bin could not take the item: nothing was deleted

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IFileOperationProgressSink) {
            *object = static_cast<IFileOperationProgressSink*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the caller's stack for the whole operation.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem*) override {
        if (flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) return S_OK;
        refused = true;
        return HRESULT_FROM_WIN32(ERROR_CANCELLED);  // cancels this item and the rest
    }
    HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem*, HRESULT, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT, IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }
};

template <class T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p) p->Release();
    }
};

// The shell's newer file operation, which tells per item whether it goes to the bin. E_NOTIMPL
// where it is missing or not done, so the older call can take over: Wine 8 makes the object but
// answers E_NOTIMPL from SetOperationFlags on, and its older call puts the file in the desktop's
// trash (~/.local/share/Trash).
HRESULT RecycleThroughFileOperation(const std::wstring& path) {
    // Balanced below; the window thread already runs OLE, so this only counts up.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const bool uninit = SUCCEEDED(com);
    HRESULT hr = E_NOTIMPL;
    {
        ComPtr<IFileOperation> op;
        ComPtr<IShellItem> item;
        RecycleOnly sink;
        DWORD cookie = 0;
        if (SUCCEEDED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&op.p))) &&
            SUCCEEDED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(&item.p))) &&
            SUCCEEDED(op.p->SetOperationFlags(FOFX_RECYCLEONDELETE | FOF_NOCONFIRMATION | FOF_SILENT |
                                               FOF_NOERRORUI | FOFX_EARLYFAILURE | FOF_NOCONFIRMMKDIR)) &&
            SUCCEEDED(op.p->Advise(&sink, &cookie))) {
            hr = op.p->DeleteItem(item.p, nullptr);
            if (SUCCEEDED(hr)) hr = op.p->PerformOperations();
            (void)op.p->Unadvise(cookie);
            if (sink.refused) hr = S_FALSE;  // answered: it stays
        }
    }
    if (uninit) CoUninitialize();
    return hr;
}

// The older call, where the newer one is missing. FOF_WANTNUKEWARNING makes the shell ask in its
// own window before it deletes anything outright, rather than doing it silently.
void RecycleThroughFileOperationW(const std::wstring& path) {
    std::wstring from = path;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();  // c_str's own NUL closes the list
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI |
                FOF_NOCONFIRMMKDIR;
    // Its codes are the old DE_ ones rather than the system's errors; the caller looks whether the name is gone.
    (void)SHFileOperationW(&op);
}

std::function<bool(const std::wstring&)>& Probe() {
    static std::function<bool(const std::wstring&)> probe;
    return probe;
}

}  // namespace

void SetRecycleBinProbe(std::function<bool(const std::wstring& folder)> probe) { Probe() = std::move(probe); }

// By the kind of drive rather than SHQueryRecycleBinW, which tells what a bin holds, not whether a
// delete there would reach one: Wine 8 answers S_OK with its one trash's count for any path, a share too.
bool FolderHasRecycleBin(const std::wstring& folder) {
    if (Probe()) return Probe()(folder);
    const std::wstring root = app::ToWide(DriveRootOf(app::ToU16(folder)));
    return !root.empty() && GetDriveTypeW(root.c_str()) == DRIVE_FIXED;
}

void SetRecycleBinHook(std::function<bool(const std::wstring& path)> hook) { Hook() = std::move(hook); }

bool SendToRecycleBin(const std::wstring& path) {
    if (Hook()) return Hook()(path);
    // Relative names would be resolved against a current folder other threads may change, so the
    // name goes in full, without the "\\?\" the shell cannot parse and without a folder's backslash.
    std::wstring full = app::ToWide(ShellPath(app::ToU16(app::FullPath(path))));
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    if (full.starts_with(L"\\\\?\\")) return false;  // a volume's own name: no shell call takes it
    const HRESULT hr = RecycleThroughFileOperation(full);
    if (hr == S_FALSE) return false;
    if (hr == E_NOTIMPL || hr == REGDB_E_CLASSNOTREG || hr == E_NOINTERFACE) RecycleThroughFileOperationW(full);
    return GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace tavrik::pages
