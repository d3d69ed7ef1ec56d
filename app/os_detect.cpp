// (Win32) TTavrikForm::OSDetect: the Windows version code.
#include "app/dyn_api.h"
#include "app/os_version.h"
#include "app/tavrik_form.h"

namespace tavrik::app {

void TTavrikForm::OSDetect() {
    if (env_.osVersion) {
        OSVersion = *env_.osVersion;
        return;
    }
    // GetVersionEx reports what the manifest admits to; the kernel's own call tells the truth.
    using Fn = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const Fn rtlGetVersion = LookUp<Fn>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        info.dwOSVersionInfoSize = sizeof info;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // deprecated, and exactly what is wanted where ntdll lacks the call
#elif defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
        if (!GetVersionExW(&info)) info = OSVERSIONINFOW{};
    }
    OSVersion = OsVersionCode(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

}  // namespace tavrik::app
