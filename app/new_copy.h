// (Win32) A new copy of the program, made before this one ends and let run once it has.
#pragma once

#include <windows.h>

#include <string>

#include "app/unique.h"

namespace tavrik::app {

class NewCopy {
public:
    // Made suspended, with this process's environment; Made() tells whether Windows did.
    explicit NewCopy(const std::wstring& programPath);
    ~NewCopy();  // a copy never let run is ended
    NewCopy(const NewCopy&) = delete;
    NewCopy& operator=(const NewCopy&) = delete;

    bool Made() const { return static_cast<bool>(process_); }
    DWORD Error() const { return error_; }
    // Lets the copy run; call once this process's window is gone, or the copy would leave at once.
    void Run();

private:
    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD error_ = ERROR_SUCCESS;
};

}  // namespace tavrik::app
