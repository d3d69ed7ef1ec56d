// (Win32) An IAccessible over the system's own for a window: the parts drawn inside it as children
// of their own, and a name where the window shows none.
#include "ui/accessible_parts.h"

#include <oleacc.h>

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "app/comctl.h"
#include "ui/access_texts.h"

namespace tavrik::ui {
namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}
constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr UINT_PTR kSubclassId = 0x0ACC;

// oleacc.dll, and oleaut32.dll for the strings handed to readers, are loaded when a reader first
// asks, never at start-up.
struct Oleacc {
    using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    using AllocString = BSTR(WINAPI*)(const OLECHAR*, UINT);
    CreateStd createStd = nullptr;
    FromObject fromObject = nullptr;
    FromWindow fromWindow = nullptr;
    AllocString allocString = nullptr;
    bool Usable() const { return createStd && fromObject && fromWindow && allocString; }
};

HMODULE LoadSystemDll(const wchar_t* name) {
    const HMODULE dll = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return dll ? dll : LoadLibraryW(name);  // a Windows 7 without the search flags
}

const Oleacc& LoadOleacc() {
    static const Oleacc loaded = [] {
        Oleacc api;
        const HMODULE oleacc = LoadSystemDll(L"oleacc.dll"), oleaut = LoadSystemDll(L"oleaut32.dll");
        if (!oleacc || !oleaut) return api;
        const auto get = [](HMODULE dll, const char* name) { return reinterpret_cast<void*>(GetProcAddress(dll, name)); };
        api.createStd = reinterpret_cast<Oleacc::CreateStd>(get(oleacc, "CreateStdAccessibleObject"));
        api.fromObject = reinterpret_cast<Oleacc::FromObject>(get(oleacc, "LresultFromObject"));
        api.fromWindow = reinterpret_cast<Oleacc::FromWindow>(get(oleacc, "AccessibleObjectFromWindow"));
        api.allocString = reinterpret_cast<Oleacc::AllocString>(get(oleaut, "SysAllocStringLen"));
        return api;
    }();
    return loaded;
}

HRESULT GiveText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = LoadOleacc().allocString(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

long ChildId(const VARIANT& child) { return child.vt == VT_I4 ? child.lVal : -1; }

VARIANT Self() {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

class PartsAccessible final : public IAccessible {
public:
    PartsAccessible(HWND hwnd, std::shared_ptr<const AccessDescription> description, IAccessible* inner)
        : hwnd_(hwnd), description_(std::move(description)), inner_(inner) {}
    ~PartsAccessible() { inner_->Release(); }
    PartsAccessible(const PartsAccessible&) = delete;
    PartsAccessible& operator=(const PartsAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != kIidAccessible) return E_NOINTERFACE;
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: readers use the interface's own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return inner_->get_accParent(parent); }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!Itemized()) return inner_->get_accChildCount(count);
        if (!count) return E_POINTER;
        if (!Alive()) return E_FAIL;
        *count = static_cast<long>(description_->count() + ChildWindows().size());
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!Itemized()) return inner_->get_accChild(child, out);
        if (!out) return E_POINTER;
        *out = nullptr;
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return S_FALSE;  // a simple child: asked through its id
        if (slot.kind != ChildKind::Window) return E_INVALIDARG;
        return LoadOleacc().fromWindow(slot.window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                       reinterpret_cast<void**>(out));
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Self && description_->name) {
            if (!Alive()) return E_FAIL;
            return GiveText(description_->name(), out);
        }
        if (slot.kind == ChildKind::Part) return GiveText(Part(slot).name, out);
        return Forward(slot, child, [out](IAccessible* acc, VARIANT id) { return acc->get_accName(id, out); });
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return GiveText({}, out);
        return Forward(slot, child, [out](IAccessible* acc, VARIANT id) { return acc->get_accValue(id, out); });
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return GiveText({}, out);
        return Forward(slot, child, [out](IAccessible* acc, VARIANT id) { return acc->get_accDescription(id, out); });
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        const Slot slot = SlotOf(child);
        long role = 0;
        if (slot.kind == ChildKind::Self) role = description_->role;
        if (slot.kind == ChildKind::Part) role = Part(slot).role;
        if (role == 0)
            return Forward(slot, child, [out](IAccessible* acc, VARIANT id) { return acc->get_accRole(id, out); });
        if (!out) return E_POINTER;
        out->vt = VT_I4;
        out->lVal = role;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        const Slot slot = SlotOf(child);
        if (slot.kind != ChildKind::Part)
            return Forward(slot, child, [out](IAccessible* acc, VARIANT id) { return acc->get_accState(id, out); });
        if (!out) return E_POINTER;
        out->vt = VT_I4;
        out->lVal = static_cast<long>(Part(slot).state);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return GiveText({}, out);
        return Forward(slot, child, [out](IAccessible* acc, VARIANT id) { return acc->get_accHelp(id, out); });
    }

    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return S_FALSE;
        return Forward(slot, child,
                       [file, topic](IAccessible* acc, VARIANT id) { return acc->get_accHelpTopic(file, id, topic); });
    }

    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return GiveText({}, out);
        return Forward(slot, child,
                       [out](IAccessible* acc, VARIANT id) { return acc->get_accKeyboardShortcut(id, out); });
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (Itemized() && out && Alive() && GetFocus() == hwnd_) {
            for (std::size_t i = 0; i < description_->count(); ++i)
                if (description_->part(i).state & kStateFocused) return GiveChild(i + 1, out);
        }
        return inner_->get_accFocus(out);
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (!Itemized()) return inner_->get_accSelection(out);
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        if (!Alive()) return E_FAIL;
        for (std::size_t i = 0; i < description_->count(); ++i)
            if (description_->part(i).state & kStateSelected) return GiveChild(i + 1, out);
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return GiveText(Part(slot).action, out);
        return Forward(slot, child, [out](IAccessible* acc, VARIANT id) { return acc->get_accDefaultAction(id, out); });
    }

    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        const Slot slot = SlotOf(child);
        if (slot.kind == ChildKind::Part) return DISP_E_MEMBERNOTFOUND;
        return Forward(slot, child, [flags](IAccessible* acc, VARIANT id) { return acc->accSelect(flags, id); });
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        const Slot slot = SlotOf(child);
        if (slot.kind != ChildKind::Part)
            return Forward(slot, child, [=](IAccessible* acc, VARIANT id) {
                return acc->accLocation(left, top, width, height, id);
            });
        if (!left || !top || !width || !height) return E_POINTER;
        const RECT rc = Part(slot).screen;
        *left = rc.left;
        *top = rc.top;
        *width = rc.right - rc.left;
        *height = rc.bottom - rc.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (!Itemized()) return inner_->accNavigate(direction, start, out);
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        if (!Alive()) return E_FAIL;
        const long last = static_cast<long>(description_->count() + ChildWindows().size());
        const long from = ChildId(start);
        long to = 0;
        if (from == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) to = 1;
        else if (from == CHILDID_SELF && direction == NAVDIR_LASTCHILD) to = last;
        else if (from == CHILDID_SELF) return inner_->accNavigate(direction, start, out);
        else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) to = from + 1;
        else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) to = from - 1;
        if (to < 1 || to > last) return S_FALSE;
        return GiveChild(static_cast<std::size_t>(to), out);
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (Itemized() && out && Alive()) {
            const POINT at{x, y};
            for (std::size_t i = 0; i < description_->count(); ++i) {
                const AccessPart part = description_->part(i);
                if (!(part.state & kStateInvisible) && PtInRect(&part.screen, at)) return GiveChild(i + 1, out);
            }
        }
        return inner_->accHitTest(x, y, out);
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const Slot slot = SlotOf(child);
        if (slot.kind != ChildKind::Part)
            return Forward(slot, child, [](IAccessible* acc, VARIANT id) { return acc->accDoDefaultAction(id); });
        if (!description_->press || Part(slot).action.empty()) return DISP_E_MEMBERNOTFOUND;
        description_->press(slot.index);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    struct Slot {
        ChildKind kind = ChildKind::None;
        std::size_t index = 0;
        HWND window = nullptr;
    };

    bool Itemized() const { return description_->count && description_->part; }
    // The window may be gone while a reader still holds us: then nothing of ours is asked.
    bool Alive() const { return IsWindow(hwnd_) != FALSE; }

    std::vector<HWND> ChildWindows() const {
        std::vector<HWND> windows;
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child)) windows.push_back(child);
        return windows;
    }

    Slot SlotOf(const VARIANT& child) const {
        if (!Itemized()) return {ChildId(child) == CHILDID_SELF ? ChildKind::Self : ChildKind::None, 0, nullptr};
        if (!Alive()) return {};
        const std::vector<HWND> windows = ChildWindows();
        const ChildSlot slot = SlotOfChild(ChildId(child), description_->count(), windows.size());
        return {slot.kind, slot.index, slot.kind == ChildKind::Window ? windows[slot.index] : nullptr};
    }

    AccessPart Part(const Slot& slot) const { return description_->part(slot.index); }

    HRESULT GiveChild(std::size_t id, VARIANT* out) const {
        const std::vector<HWND> windows = ChildWindows();
        const ChildSlot slot = SlotOfChild(static_cast<long>(id), description_->count(), windows.size());
        if (slot.kind == ChildKind::Window) {
            IDispatch* object = nullptr;
            const HRESULT hr = LoadOleacc().fromWindow(windows[slot.index], static_cast<DWORD>(OBJID_WINDOW),
                                                       IID_IDispatch, reinterpret_cast<void**>(&object));
            if (FAILED(hr)) return hr;
            out->vt = VT_DISPATCH;
            out->pdispVal = object;
            return S_OK;
        }
        out->vt = VT_I4;
        out->lVal = static_cast<long>(id);
        return S_OK;
    }

    // The window itself, and whatever we do not describe, is the system's to answer; a child
    // window answers for itself.
    template <typename Ask>
    HRESULT Forward(const Slot& slot, const VARIANT& child, Ask ask) const {
        if (!Itemized() || slot.kind == ChildKind::Self) return ask(inner_, child);
        if (slot.kind != ChildKind::Window) return E_INVALIDARG;
        IAccessible* object = nullptr;
        const HRESULT hr = LoadOleacc().fromWindow(slot.window, static_cast<DWORD>(OBJID_WINDOW), kIidAccessible,
                                                   reinterpret_cast<void**>(&object));
        if (FAILED(hr) || !object) return FAILED(hr) ? hr : E_FAIL;
        const HRESULT result = ask(object, Self());
        object->Release();
        return result;
    }

    LONG refs_ = 1;
    HWND hwnd_;
    std::shared_ptr<const AccessDescription> description_;
    IAccessible* inner_;
};

using Shared = std::shared_ptr<const AccessDescription>;

LRESULT CALLBACK DescribedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) noexcept {
    auto* description = reinterpret_cast<Shared*>(data);
    if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CLIENT) {
        const Oleacc& oleacc = LoadOleacc();
        IAccessible* inner = nullptr;
        if (oleacc.Usable() &&
            SUCCEEDED(oleacc.createStd(hwnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&inner))) && inner) {
            app::comctl::EnsureOle();  // the object is marshalled to the reader through COM
            auto* object = new (std::nothrow) PartsAccessible(hwnd, *description, inner);
            if (!object) {
                inner->Release();
                return 0;
            }
            const LRESULT result = oleacc.fromObject(kIidAccessible, wp, object);
            object->Release();  // the result holds its own reference
            return result;
        }
        // No oleacc: the system answers as it always did.
    }
    if (msg == WM_NCDESTROY) {
        app::comctl::RemoveWindowSubclass(hwnd, DescribedProc, kSubclassId);
        delete description;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void DescribeForReaders(HWND hwnd, AccessDescription description) {
    if (!hwnd) return;
    // Not make_shared: its control block asks for typeid, whose comparison clang's MinGW build then
    // defines a second time beside the C++ library's own, and lld refuses the program.
    auto* shared = new Shared(new const AccessDescription(std::move(description)));
    if (!app::comctl::SetWindowSubclass(hwnd, DescribedProc, kSubclassId, reinterpret_cast<DWORD_PTR>(shared)))
        delete shared;  // the window stays as the system describes it
}

void DescribeTabStrip(HWND tabs, std::function<std::wstring()> name, std::function<std::wstring()> switchAction) {
    AccessDescription description;
    description.name = std::move(name);
    description.role = kRolePageTabList;
    description.count = [tabs] { return static_cast<std::size_t>(std::max<LRESULT>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 0)); };
    description.part = [tabs, switchAction = std::move(switchAction)](std::size_t part) {
        AccessPart result;
        const auto index = static_cast<WPARAM>(part);
        wchar_t text[512] = {};  // page names are file names: shorter than this
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        if (!SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return result;
        RECT rc{}, client{};
        SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
        GetClientRect(tabs, &client);
        PartFacts facts;
        facts.selectable = true;
        facts.selected = SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == static_cast<LRESULT>(part);
        facts.focused = facts.selected && GetFocus() == tabs;
        // One row of tabs scrolls: a tab scrolled off is not shown.
        facts.shown = IsWindowVisible(tabs) && rc.right > client.left && rc.left < client.right;
        result.name = item.pszText;  // the control may answer with its own buffer
        result.role = kRolePageTab;
        result.state = PartState(facts);
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        result.screen = rc;
        result.action = switchAction();
        return result;
    };
    // As a click does: the strip asks the window first, then tells it of the change.
    description.press = [tabs](std::size_t part) { PostMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(part), 0); };
    DescribeForReaders(tabs, std::move(description));
}

void NameListAfterDialog(HWND list) {
    AccessDescription description;
    description.role = kRoleList;  // Wine's own object calls any window a client area
    description.name = [list] {
        const HWND dialog = GetParent(list);
        std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(dialog)) + 1, L'\0');
        caption.resize(static_cast<std::size_t>(GetWindowTextW(dialog, caption.data(), static_cast<int>(caption.size()))));
        return caption;
    };
    DescribeForReaders(list, std::move(description));
}

void AnnounceSelected(HWND hwnd, int part) {
    if (!hwnd || part < 0) return;
    NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd, OBJID_CLIENT, part + 1);
    if (GetFocus() == hwnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, part + 1);
}

void AnnounceRenamed(HWND hwnd, int part) {
    if (hwnd && part >= 0) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, part + 1);
}

}  // namespace tavrik::ui
