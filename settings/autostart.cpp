// (Win32) Start with Windows.
#include "settings/autostart.h"

namespace tavrik::settings {

bool RunKey::Open(HKEY root, std::wstring_view path) {
    HKEY key = nullptr;
    const LONG rc = RegCreateKeyExW(root, std::wstring(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &key, nullptr);
    key_.Reset(rc == ERROR_SUCCESS ? key : nullptr);
    return rc == ERROR_SUCCESS;
}

void RunKey::Apply(bool autoStart, std::wstring_view programPath) const {
    if (!key_) return;
    const std::wstring name(kRunValueName);
    if (autoStart) {
        const std::wstring data(programPath);
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        // Registry results change nothing the user could act on: a refused write is ignored.
        (void)RegSetValueExW(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    } else {
        (void)RegDeleteValueW(key_.Get(), name.c_str());  // a missing value is no error
    }
}

}  // namespace tavrik::settings
