// Any text as a page name, and as a file name found in the page folder or a versions folder: a
// name the program accepts is one the settings file and Windows keep as it is, and file names are
// recognised without a fault.
#include <string>
#include <vector>

#include "pages/page_name.h"
#include "pages/page_versions.h"
#include "pages/save_leftovers.h"
#include "settings/ini_document.h"
#include "tests/fuzz/fuzz_input.h"

using namespace tavrik::pages;
using tavrik::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string name = tavrik::fuzz::Text(tavrik::fuzz::Bytes(data, size));

    if (CheckPageName(name, 3) == NameProblem::None) {
        Expect(IsSafeStoredPageName(name));
        // "|" is never a page name, so the name is always the second key.
        tavrik::settings::IniDocument doc(u"[Pages]\r\n|=1*\r\n");
        doc.Set(u"Pages", name, u"2*");
        const tavrik::settings::IniDocument back(doc.Text());
        Expect(back.Get(u"Pages", name) == u"2*");
        const std::vector<std::u16string> keys = back.Keys(u"Pages");
        Expect(keys.size() == 2 && keys.back() == name);
        Expect(PageOfFile(name + u".tvk") == name);
    }
    const std::u16string proposed = ProposeNewPageName(name.substr(0, 40), {name, name + u"1"});
    Expect(!SameFileName(proposed, name) && !SameFileName(proposed, name + u"1"));

    if (const auto time = ParseVersionFileName(name)) Expect(ParseVersionFileName(VersionFileName(*time)) == time);
    (void)VersionsToDrop({name, u"2026-12-09 14-03-27.123.tvk"}, 1);
    (void)TextPreview(name);
    if (const auto leftover = RecogniseSaveLeftover(name)) Expect(leftover->target.size() < name.size());
    (void)PageOfFile(name);
    return 0;
}
