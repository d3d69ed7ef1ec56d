// (Win32) Starting the program again.
#include "app/new_copy.h"

namespace tavrik::app {

NewCopy::NewCopy(const std::wstring& programPath) {
    std::wstring commandLine = L"\"" + programPath + L"\"";  // no arguments: none is read
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Suspended: it must not look for our window before the window is gone.
    if (!CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &info)) {
        error_ = GetLastError();
        return;
    }
    process_.Reset(info.hProcess);
    thread_.Reset(info.hThread);
}

NewCopy::~NewCopy() {
    if (thread_ && process_) (void)TerminateProcess(process_.Get(), 1);  // it never ran a line of its own
}

void NewCopy::Run() {
    if (!thread_) return;
    (void)ResumeThread(thread_.Get());  // it waits for our mutex in its entry
    thread_.Reset();
}

}  // namespace tavrik::app
