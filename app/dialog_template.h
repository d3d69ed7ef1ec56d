// (Win32) A dialog template built in memory, and the font the program's own dialogs use.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrik::app {

inline constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kListBox = 0x0083;

// A dialog template in memory: DLGTEMPLATE and its items, each on a four-byte boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, std::wstring_view font, WORD points, DWORD exStyle = 0) {
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT;
        header.dwExtendedStyle = exStyle;
        header.cx = cx;
        header.cy = cy;
        Append(&header, sizeof header);
        countAt_ = offsetof(DLGTEMPLATE, cdit);
        AppendWord(0);  // no menu
        AppendWord(0);  // the standard dialog class
        AppendString(L"");  // the caption is set when the dialog opens
        AppendWord(points);
        AppendString(font);
    }

    void AddItem(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id, std::wstring_view text) {
        AddHeader(style, x, y, cx, cy, id);
        AppendWord(0xFFFF);
        AppendWord(atom);
        Finish(text);
    }

    // A control of a class known by name, such as the common controls.
    void AddItem(std::wstring_view className, DWORD style, short x, short y, short cx, short cy, WORD id,
                 std::wstring_view text = {}) {
        AddHeader(style, x, y, cx, cy, id);
        AppendString(className);
        Finish(text);
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void AddHeader(DWORD style, short x, short y, short cx, short cy, WORD id) {
        Align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
    }

    void Finish(std::wstring_view text) {
        AppendString(text);
        AppendWord(0);  // no creation data
        WORD count = 0;
        memcpy(&count, bytes_.data() + countAt_, sizeof count);
        ++count;
        memcpy(bytes_.data() + countAt_, &count, sizeof count);
    }

    void Append(const void* data, size_t size) {
        const size_t at = bytes_.size();
        bytes_.resize(at + size);
        memcpy(bytes_.data() + at, data, size);
    }
    void AppendWord(WORD value) { Append(&value, sizeof value); }
    void AppendString(std::wstring_view text) {
        for (wchar_t c : text) AppendWord(static_cast<WORD>(c));
        AppendWord(0);
    }
    void Align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }

    std::vector<unsigned char> bytes_;
    size_t countAt_ = 0;
};

// The face and size of the system's message font, so a dialog reads like the rest of Windows.
std::pair<std::wstring, WORD> MessageFont(HWND owner);

}  // namespace tavrik::app
