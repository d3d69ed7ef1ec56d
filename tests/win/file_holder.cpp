// Another program holding a file open with no sharing, as a sync client or a virus scanner does:
//   file_holder <file> <event>   holds <file> until the named event is set, then lets it go
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, argv[2]);
    if (!event) return 3;
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 4;
    const DWORD waited = WaitForSingleObject(event, 60000);
    CloseHandle(file);
    CloseHandle(event);
    return waited == WAIT_OBJECT_0 ? 0 : 5;
}
