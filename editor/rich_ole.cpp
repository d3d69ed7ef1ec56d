// (Win32) Embedded objects: the rich-edit OLE callback and static pictures.
#include "editor/rich_ole.h"

#include <initializer_list>
#include <optional>
#include <string>

#include <ole2.h>
#include <oledlg.h>
#include <richedit.h>
#include <richole.h>

#include "app/unique.h"

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

std::optional<std::wstring> DataText(IDataObject* data) {
    FORMATETC wanted{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&wanted, &medium))) return std::nullopt;
    std::optional<std::wstring> text;
    if (const app::GlobalLocked<const wchar_t> chars(medium.hGlobal); chars.Get()) {
        const size_t capacity = chars.Bytes() / sizeof(wchar_t);
        size_t length = 0;
        while (length < capacity && chars.Get()[length] != L'\0') ++length;  // the source's terminator is not trusted
        text.emplace(chars.Get(), length);
    }
    ReleaseStgMedium(&medium);
    return text;
}

bool OffersFormat(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data->QueryGetData(&wanted) == S_OK;
}

// The control keeps objects only when its owner gives each one a storage.
class OleCallback final : public IRichEditOleCallback {
public:
    explicit OleCallback(HWND editor) : editor_(editor) {}
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
    HRESULT STDMETHODCALLTYPE GetNewStorage(LPSTORAGE* storage) noexcept override { return NewStorage(storage); }
    HRESULT STDMETHODCALLTYPE GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*,
                                                LPOLEINPLACEFRAMEINFO) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryInsertObject(LPCLSID, LPSTORAGE, LONG) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteObject(LPOLEOBJECT) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryAcceptData(LPDATAOBJECT data, CLIPFORMAT* format, DWORD reco, BOOL really,
                                              HGLOBAL) noexcept override {
        // Pastes come from our own Paste, which has chosen already; drops are asked about.
        if (reco != RECO_DROP || !data) return S_OK;
        const std::optional<std::wstring> text = DataText(data);
        if (!text) {
            if (format && OffersFormat(data, CF_TEXT)) *format = CF_TEXT;  // ANSI only: plain, as it is
            return S_OK;  // pictures, files, objects: the control's own way
        }
        TextDropNotice notice{{editor_, static_cast<UINT_PTR>(GetDlgCtrlID(editor_)), kTextDropNotice}, *text,
                              really != FALSE, {}};
        GetCursorPos(&notice.screen);
        const auto answer = static_cast<TextDrop>(SendMessageW(GetParent(editor_), WM_NOTIFY, notice.header.idFrom,
                                                               reinterpret_cast<LPARAM>(&notice)));
        if (answer == TextDrop::Refuse || answer == TextDrop::Inserted) return E_FAIL;  // the control takes nothing
        if (format) *format = CF_UNICODETEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL, DWORD, LPDWORD) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) noexcept override { return E_NOTIMPL; }

private:
    ~OleCallback() = default;
    HWND editor_;
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
    auto* callback = new OleCallback(editor);
    SendMessageW(editor, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback));
    callback->Release();  // the control holds its own reference
}

int ObjectCount(HWND editor) {
    ComPtr<IRichEditOle> ole;
    ole.p = OleOf(editor);
    return ole ? ole->GetObjectCount() : 0;
}

namespace {

ObjectDialogHooks& Hooks() {
    static ObjectDialogHooks hooks;
    return hooks;
}

// The dialogs of the OLE user interface live in oledlg, loaded only when asked for.
template <typename Fn>
Fn OleDialog(const char* name) {
    static const HMODULE module = LoadLibraryW(L"oledlg.dll");
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

bool Embed(IRichEditOle* ole, IOleObject* object, IStorage* storage, IOleClientSite* site) {
    (void)OleSetContainedObject(object, TRUE);
    (void)object->SetClientSite(site);
    REOBJECT reo{};
    reo.cbStruct = sizeof reo;
    (void)object->GetUserClassID(&reo.clsid);
    reo.cp = REO_CP_SELECTION;
    reo.dvaspect = DVASPECT_CONTENT;
    reo.poleobj = object;
    reo.pstg = storage;
    reo.polesite = site;
    reo.dwFlags = REO_BELOWBASELINE | REO_RESIZABLE;
    return SUCCEEDED(ole->InsertObject(&reo));
}

wchar_t* TaskString(const std::wstring& text) {
    auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy) memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    return copy;
}

// What the Object Properties dialog asks about the object: its name, type and size. Converting
// and changing the view are not offered.
class ObjectInfo final : public IOleUIObjInfoW {
public:
    explicit ObjectInfo(IOleObject* object) : object_(object) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) noexcept override {
        if (riid == IID_IUnknown) {
            *out = static_cast<IUnknown*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }  // lives on the caller's stack
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE GetObjectInfo(DWORD, DWORD* size, LPWSTR* label, LPWSTR* type, LPWSTR* shortType,
                                            LPWSTR* location) noexcept override {
        CLSID clsid{};
        (void)object_->GetUserClassID(&clsid);
        LPOLESTR full = nullptr;
        LPOLESTR brief = nullptr;
        (void)object_->GetUserType(USERCLASSTYPE_FULL, &full);
        (void)object_->GetUserType(USERCLASSTYPE_SHORT, &brief);
        const std::wstring fullName = full ? full : L"Object";
        const std::wstring shortName = brief ? brief : fullName;
        if (full) CoTaskMemFree(full);
        if (brief) CoTaskMemFree(brief);
        if (size) *size = static_cast<DWORD>(-1);  // unknown
        if (label) *label = TaskString(fullName);
        if (type) *type = TaskString(fullName);
        if (shortType) *shortType = TaskString(shortName);
        if (location) *location = TaskString(L"");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConvertInfo(DWORD, CLSID* clsid, WORD* format, CLSID* defaultClsid,
                                             LPCLSID* exclude, UINT* excludeCount) noexcept override {
        if (clsid) (void)object_->GetUserClassID(clsid);
        if (format) *format = 0;
        if (defaultClsid) *defaultClsid = CLSID_NULL;
        if (exclude) *exclude = nullptr;
        if (excludeCount) *excludeCount = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ConvertObject(DWORD, REFCLSID) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewInfo(DWORD, HGLOBAL* picture, DWORD* aspect, int* scale) noexcept override {
        if (picture) *picture = nullptr;
        if (aspect) *aspect = DVASPECT_CONTENT;
        if (scale) *scale = 100;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetViewInfo(DWORD, HGLOBAL, DWORD, int, BOOL) noexcept override { return E_NOTIMPL; }

private:
    IOleObject* object_;
};

}  // namespace

void SetObjectDialogHooks(ObjectDialogHooks hooks) { Hooks() = std::move(hooks); }

bool CreateStaticPicture(IDataObject* data, IOleClientSite* site, IStorage* storage, IOleObject** object) {
    for (CLIPFORMAT format : {CLIPFORMAT(CF_DIB), CLIPFORMAT(CF_BITMAP), CLIPFORMAT(CF_METAFILEPICT)}) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1,
                         static_cast<DWORD>(format == CF_BITMAP ? TYMED_GDI
                                            : format == CF_DIB  ? TYMED_HGLOBAL
                                                                : TYMED_MFPICT)};
        if (SUCCEEDED(OleCreateStaticFromData(data, IID_IOleObject, OLERENDER_FORMAT, &wanted, site, storage,
                                              reinterpret_cast<void**>(object))))
            return true;
    }
    return false;
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
    if (!CreateStaticPicture(data.p, site.p, storage.p, &object)) return false;
    return Embed(ole.p, object.p, storage.p, site.p);
}

bool InsertObjectFromDialog(HWND owner, HWND editor) {
    ComPtr<IRichEditOle> ole;
    ole.p = OleOf(editor);
    ComPtr<IOleClientSite> site;
    ComPtr<IStorage> storage;
    if (!ole || FAILED(ole->GetClientSite(&site)) || FAILED(NewStorage(&storage))) return false;
    ComPtr<IOleObject> object;
    bool createdNew = false;
    if (Hooks().insertObject) {
        if (!Hooks().insertObject(site.p, storage.p, &object)) return false;
    } else {
        using Fn = UINT(WINAPI*)(LPOLEUIINSERTOBJECTW);
        static const Fn insertObject = OleDialog<Fn>("OleUIInsertObjectW");
        if (!insertObject) return false;
        wchar_t file[MAX_PATH] = {};
        OLEUIINSERTOBJECTW request{};
        request.cbStruct = sizeof request;
        request.dwFlags = IOF_SELECTCREATENEW | IOF_CREATENEWOBJECT | IOF_CREATEFILEOBJECT | IOF_DISABLELINK |
                          IOF_DISABLEDISPLAYASICON;
        request.hWndOwner = owner;
        request.lpszFile = file;
        request.cchFile = MAX_PATH;
        request.iid = IID_IOleObject;
        request.oleRender = OLERENDER_DRAW;
        request.lpIOleClientSite = site.p;
        request.lpIStorage = storage.p;
        request.ppvObj = reinterpret_cast<void**>(&object);
        if (insertObject(&request) != OLEUI_OK || !object) return false;
        createdNew = (request.dwFlags & IOF_SELECTCREATENEW) != 0;
    }
    (void)object->SetHostNames(L"Tavrik", nullptr);
    if (!Embed(ole.p, object.p, storage.p, site.p)) return false;
    if (createdNew) {
        // A new object opens in its program so it can be filled in.
        RECT area{};
        GetClientRect(editor, &area);
        (void)object->DoVerb(OLEIVERB_SHOW, nullptr, site.p, 0, editor, &area);
    }
    return true;
}

bool SelectionIsOneObject(HWND editor) {
    return SendMessageW(editor, EM_SELECTIONTYPE, 0, 0) == SEL_OBJECT;
}

void ShowObjectProperties(HWND owner, HWND editor) {
    ComPtr<IRichEditOle> ole;
    ole.p = OleOf(editor);
    if (!ole) return;
    REOBJECT reo{};
    reo.cbStruct = sizeof reo;
    if (FAILED(ole->GetObject(REO_IOB_SELECTION, &reo, REO_GETOBJ_POLEOBJ)) || !reo.poleobj) return;
    ComPtr<IOleObject> object;
    object.p = reo.poleobj;  // GetObject handed us a reference
    if (Hooks().objectProperties) {
        Hooks().objectProperties(object.p);
        return;
    }
    using Fn = UINT(WINAPI*)(LPOLEUIOBJECTPROPSW);
    static const Fn objectProperties = OleDialog<Fn>("OleUIObjectPropertiesW");
    if (!objectProperties) return;
    ObjectInfo info(object.p);
    PROPSHEETHEADERW sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.hwndParent = owner;
    OLEUIGNRLPROPSW general{};
    general.cbStruct = sizeof general;
    OLEUIVIEWPROPSW view{};
    view.cbStruct = sizeof view;
    view.nScaleMin = 10;
    view.nScaleMax = 500;
    OLEUILINKPROPSW link{};
    link.cbStruct = sizeof link;
    OLEUIOBJECTPROPSW request{};
    request.cbStruct = sizeof request;
    request.dwFlags = OPF_DISABLECONVERT;  // converting is not offered
    request.lpPS = &sheet;
    request.dwObject = 1;
    request.lpObjInfo = &info;
    request.lpGP = &general;
    request.lpVP = &view;
    request.lpLP = &link;
    (void)objectProperties(&request);
}

}  // namespace tavrik::editor
