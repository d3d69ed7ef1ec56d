// Old pages told from other files, and the size a page file may have.
#include "pages/page_file_checks.h"

namespace tavrik::pages {
namespace {

// Files that start with text but mean something else to another program.
bool IsOtherTextFormat(std::string_view head) {
    for (std::string_view magic : {"%PDF", "<?xml", "<!DOCTYPE", "<html", "<HTML", "#!", "MZ", "PK", "%!PS",
                                   "BEGIN:VCARD", "BEGIN:VCALENDAR", "[InternetShortcut]"})
        if (head.starts_with(magic)) return true;
    return false;
}

// Old versions wrote plain pages in the ANSI code page: no zero bytes, no control characters but
// tab, line breaks, form feed and the end-of-file mark some editors add. UTF-8 passes as well.
bool IsAnsiText(std::string_view head) {
    for (unsigned char c : head)
        if (c < 32 && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != 0x1A) return false;
    return true;
}

}  // namespace

bool IsOldPageFile(std::string_view head, bool folderHoldsPages) {
    if (head.starts_with("{\\rtf")) return true;
    if (!folderHoldsPages || head.empty() || IsOtherTextFormat(head)) return false;
    // A UTF-8 mark is fine; a UTF-16 one means zero bytes, which old versions never wrote.
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    return IsAnsiText(head);
}

}  // namespace tavrik::pages
