// Another program holding a file open with no sharing, as a sync client or a virus scanner does:
//   file_holder <file> <event> [read]   holds <file> until the named event is set, then lets it go;
//   with "read", others may still read and write it, but not rename or delete it
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) return 2;
    const DWORD share = argc == 4 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, argv[2]);
    if (!event) return 3;
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 4;
    const DWORD waited = WaitForSingleObject(event, 60000);
    CloseHandle(file);
    CloseHandle(event);
    return waited == WAIT_OBJECT_0 ? 0 : 5;
}
