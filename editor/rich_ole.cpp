// Embedded objects: the rich-edit OLE callback and static pictures.
#include "editor/rich_ole.h"

#include <initializer_list>

#include <ole2.h>
#include <richedit.h>
#include <richole.h>

namespace tavrik::editor {
namespace {

HRESULT NewStorage(IStorage** storage) {
    ILockBytes* bytes = nullptr;
    HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
    if (FAILED(hr)) return hr;
    hr = StgCreateDocfileOnILockBytes(bytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, storage);
    bytes->Release();
    return hr;
}

// The control keeps objects only when its owner gives each one a storage.
class OleCallback final : public IRichEditOleCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IRichEditOleCallback) {
            *out = static_cast<IRichEditOleCallback*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetNewStorage(LPSTORAGE* storage) override { return NewStorage(storage); }
    HRESULT STDMETHODCALLTYPE GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*,
                                                LPOLEINPLACEFRAMEINFO) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryInsertObject(LPCLSID, LPSTORAGE, LONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteObject(LPOLEOBJECT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL, DWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) override { return E_NOTIMPL; }

private:
    ~OleCallback() = default;
    LONG refs_ = 1;
};

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

IRichEditOle* OleOf(HWND editor) {
    IRichEditOle* ole = nullptr;
    SendMessageW(editor, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    return ole;
}

}  // namespace

void AllowObjects(HWND editor) {
    auto* callback = new OleCallback;
    SendMessageW(editor, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback));
    callback->Release();  // the control holds its own reference
}

int ObjectCount(HWND editor) {
    ComPtr<IRichEditOle> ole;
    ole.p = OleOf(editor);
    return ole ? ole->GetObjectCount() : 0;
}

bool InsertClipboardPicture(HWND editor) {
    ComPtr<IRichEditOle> ole;
    ole.p = OleOf(editor);
    ComPtr<IDataObject> data;
    ComPtr<IOleClientSite> site;
    ComPtr<IStorage> storage;
    if (!ole || FAILED(OleGetClipboard(&data)) || FAILED(ole->GetClientSite(&site)) || FAILED(NewStorage(&storage)))
        return false;
    ComPtr<IOleObject> object;
    for (CLIPFORMAT format : {CLIPFORMAT(CF_DIB), CLIPFORMAT(CF_BITMAP), CLIPFORMAT(CF_METAFILEPICT)}) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1,
                         static_cast<DWORD>(format == CF_BITMAP ? TYMED_GDI
                                            : format == CF_DIB  ? TYMED_HGLOBAL
                                                                : TYMED_MFPICT)};
        if (SUCCEEDED(OleCreateStaticFromData(data.p, IID_IOleObject, OLERENDER_FORMAT, &wanted, site.p, storage.p,
                                              reinterpret_cast<void**>(&object))))
            break;
    }
    if (!object) return false;
    (void)OleSetContainedObject(object.p, TRUE);
    REOBJECT reo{};
    reo.cbStruct = sizeof reo;
    (void)object->GetUserClassID(&reo.clsid);
    reo.cp = REO_CP_SELECTION;
    reo.dvaspect = DVASPECT_CONTENT;
    reo.poleobj = object.p;
    reo.pstg = storage.p;
    reo.polesite = site.p;
    reo.dwFlags = REO_BELOWBASELINE;
    return SUCCEEDED(ole->InsertObject(&reo));
}

}  // namespace tavrik::editor
