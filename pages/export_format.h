// Save as: which format a chosen file gets, and where the next one is offered.
#pragma once

#include <string>
#include <string_view>

namespace tavrik::pages {

enum class ExportFormat { Rich, Text };

// The entries of the Save dialog's type list, counted from 1 as the dialog counts them.
inline constexpr int kRichTextType = 1, kTextType = 2;

// The type list preselects what the pages are kept as.
constexpr int DefaultExportType(bool plain) { return plain ? kTextType : kRichTextType; }

// A name ending in ".txt" or ".rtf" (any case) says which; any other name takes the type picked.
ExportFormat ExportFormatFor(std::u16string_view path, int pickedType);

// The folder part of a chosen path, ending in a backslash.
std::u16string FolderOfPath(std::u16string_view path);

}  // namespace tavrik::pages
