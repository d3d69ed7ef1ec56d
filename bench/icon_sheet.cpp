// Draws every toolbar image at 16, 24, 32 and 48 pixels on a light and a dark ground through the
// image list, as the toolbars draw them, and writes the sheet as a BMP for a person to look at.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdio>
#include <string>

#include "ui/toolbar_icons.h"

namespace {

constexpr std::array<int, 4> kSizes{16, 24, 32, 48};
constexpr int kCell = 56;     // room for the largest image and a gap
constexpr int kLabels = 40;   // width of the size column and height of the index row
constexpr int kGap = 12;      // between the light and the dark half

struct Ground {
    COLORREF fill;
    COLORREF text;
};
constexpr std::array<Ground, 2> kGrounds{Ground{RGB(243, 244, 246), RGB(75, 85, 99)},
                                         Ground{RGB(31, 41, 55), RGB(209, 213, 219)}};

int RowHeight(int size) { return size + 12; }

int HalfHeight() {
    int height = kLabels;
    for (int size : kSizes) height += RowHeight(size);
    return height;
}

void Label(HDC hdc, int x, int y, int width, int height, const std::wstring& text) {
    RECT box{x, y, x + width, y + height};
    DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

bool WriteBmp(const wchar_t* path, const void* bits, int width, int height) {
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as the section was made
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * static_cast<DWORD>(height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                    WriteFile(out, &info, sizeof(info), &written, nullptr) &&
                    WriteFile(out, bits, info.biSizeImage, &written, nullptr);
    CloseHandle(out);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* path = argc > 1 ? argv[1] : L"icon_sheet.bmp";
    const int width = kLabels + kCell * tavrik::ui::kToolbarImageCount;
    const int height = HalfHeight() * 2 + kGap;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP sheet = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hdc || !sheet) {
        std::fputs("cannot make the sheet bitmap\n", stderr);
        return 1;
    }
    HGDIOBJ oldBitmap = SelectObject(hdc, sheet);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ oldFont = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);

    int failures = 0;
    for (size_t g = 0; g < kGrounds.size(); ++g) {
        const int top = static_cast<int>(g) * (HalfHeight() + kGap);
        HBRUSH brush = CreateSolidBrush(kGrounds[g].fill);
        const RECT half{0, top, width, top + HalfHeight()};
        FillRect(hdc, &half, brush);
        DeleteObject(brush);
        SetTextColor(hdc, kGrounds[g].text);
        for (int i = 0; i < tavrik::ui::kToolbarImageCount; ++i)
            Label(hdc, kLabels + i * kCell, top, kCell, kLabels, std::to_wstring(i));
        int y = top + kLabels;
        for (int size : kSizes) {
            Label(hdc, 0, y, kLabels, RowHeight(size), std::to_wstring(size));
            HIMAGELIST list = tavrik::ui::CreateToolbarImages(size);
            if (!list) {
                std::fprintf(stderr, "no image list at %d pixels\n", size);
                ++failures;
                continue;
            }
            for (int i = 0; i < tavrik::ui::kToolbarImageCount; ++i)
                ImageList_Draw(list, i, hdc, kLabels + i * kCell + (kCell - size) / 2, y + 6, ILD_NORMAL);
            ImageList_Destroy(list);
            y += RowHeight(size);
        }
    }
    GdiFlush();
    const bool written = WriteBmp(path, bits, width, height);
    SelectObject(hdc, oldFont);
    SelectObject(hdc, oldBitmap);
    DeleteObject(font);
    DeleteObject(sheet);
    DeleteDC(hdc);
    if (!written) {
        std::fprintf(stderr, "cannot write %ls\n", path);
        return 1;
    }
    return failures ? 1 : 0;
}
