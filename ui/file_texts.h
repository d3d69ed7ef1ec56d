// What the program says when a file cannot be read or written, in both interface languages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class FileFailure {
    CannotCreate,  // a page or an exported file: written through a temporary file, so the old one is whole
    CannotOpen,    // a page file that cannot be read
    UnableToWrite, // tavrik.ini: also written through a temporary file
};

struct FailedFile {
    std::u16string path;
    std::u16string reason;  // the system's text
};

// One line for each file, with its reason; after failed writes, one closing line saying the files
// on disk are as they were.
std::u16string FileFailureText(FileFailure failure, const std::vector<FailedFile>& files, Language language);

}  // namespace tavrik::ui
