// (Win32) The toolbar images: flat shapes with a thin outline, drawn by GDI at several times their size and
// averaged down, so each size gets its own sharp straight edges and smooth curves.
#include "ui/toolbar_icons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <numbers>
#include <utility>
#include <vector>

#include "app/comctl.h"
#include "app/dib.h"
#include "app/unique.h"

namespace tavrik::ui {
namespace {

using app::UniqueDc;
using UniqueGdi = app::UniqueGdiObject;  // bitmaps, pens, fonts

class Selected {
public:
    Selected(HDC hdc, HGDIOBJ object) : hdc_(hdc), old_(SelectObject(hdc, object)) {}
    ~Selected() { SelectObject(hdc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC hdc_;
    HGDIOBJ old_;
};

struct Pt {
    double x, y;
};
struct Colour {
    float r, g, b;
};

// One palette for the whole set; every filled shape has a darker outline of its own hue.
constexpr Colour kInk{51, 65, 85};
constexpr Colour kHalo{255, 255, 255};
constexpr Colour kPaper{255, 255, 255};
constexpr Colour kPaperEdge{71, 85, 105};
constexpr Colour kPaperLines{148, 163, 184};
constexpr Colour kFold{203, 213, 225};
constexpr Colour kBlue{59, 130, 246};
constexpr Colour kBlueEdge{29, 78, 216};
constexpr Colour kSky{191, 219, 254};
constexpr Colour kGreen{34, 197, 94};
constexpr Colour kGreenEdge{21, 128, 61};
constexpr Colour kRed{239, 68, 68};
constexpr Colour kRedEdge{153, 27, 27};
constexpr Colour kAmber{251, 191, 36};
constexpr Colour kAmberDeep{245, 158, 11};
constexpr Colour kAmberEdge{146, 64, 14};
constexpr Colour kSteel{148, 163, 184};
constexpr Colour kSteelLight{226, 232, 240};
constexpr Colour kSteelEdge{51, 65, 85};
constexpr Colour kHandle{100, 116, 139};

// The images are designed on a 16-step grid. Straight edges snap to whole pixels at every size;
// curves and slants stay where they fall and are smoothed by the supersampling.
class Canvas {
public:
    explicit Canvas(int pixels)
        : pixels_(pixels),
          factor_(pixels <= 32 ? 8 : 4),  // 64 grey levels where edges matter most, 16 above
          size_(pixels * factor_),
          unit_(pixels / 16.0),
          line_(std::max(1, static_cast<int>(std::lround(pixels / 20.0)))),
          image_(static_cast<size_t>(pixels) * pixels) {
        dc_.Reset(CreateCompatibleDC(nullptr));
        void* bits = nullptr;
        if (dc_) mask_.Reset(app::CreateDib32(dc_.Get(), size_, size_, &bits));
        if (!mask_) return;
        bits_ = static_cast<uint32_t*>(bits);
        SelectObject(dc_.Get(), mask_.Get());  // never deselected: the DC is deleted before the bitmap
        SetPolyFillMode(dc_.Get(), WINDING);   // glyph outlines are drawn for the non-zero rule
        std::memset(bits_, 0, static_cast<size_t>(size_) * size_ * 4);
    }

    bool Ready() const { return bits_ != nullptr; }

    void Clear() { std::fill(image_.begin(), image_.end(), Premultiplied{}); }

    // Shapes go into the mask, or are cut out of it with `erase`; `grow` widens them by that many
    // pixels all round (an erased shape shrinks), which is how outlines are made. Poly puts its
    // corners on whole pixels, for shapes with straight edges; Shape leaves them where they fall.
    void Poly(const std::vector<Pt>& points, double grow = 0, bool erase = false) {
        std::vector<POINT> device;
        device.reserve(points.size());
        for (const Pt& p : points) device.push_back({Snap(p.x), Snap(p.y)});
        PolyDevice(device, grow, erase);
    }
    void Shape(const std::vector<Pt>& points, double grow = 0, bool erase = false) {
        std::vector<POINT> device;
        device.reserve(points.size());
        for (const Pt& p : points) device.push_back({Device(p.x), Device(p.y)});
        PolyDevice(device, grow, erase);
    }

    void Rect(double x0, double y0, double x1, double y1, double grow = 0, bool erase = false) {
        const int g = static_cast<int>(std::lround((erase ? -grow : grow) * factor_));
        const auto [left, right] = SnapSpan(x0, x1);
        const auto [top, bottom] = SnapSpan(y0, y1);
        const RECT r{left - g, top - g, right + g, bottom + g};
        if (r.right <= r.left || r.bottom <= r.top) return;
        FillRect(dc_.Get(), &r, static_cast<HBRUSH>(GetStockObject(erase ? BLACK_BRUSH : WHITE_BRUSH)));
    }

    void Circle(Pt centre, double radius, double grow = 0, bool erase = false) {
        const double r = radius * unit_ * factor_ + (erase ? -grow : grow) * factor_;
        if (r <= 0) return;
        const int steps = 96;
        std::vector<POINT> device;
        for (int i = 0; i < steps; ++i) {
            const double a = 2 * std::numbers::pi * i / steps;
            device.push_back({Device(centre.x) + Round(r * std::cos(a)), Device(centre.y) + Round(r * std::sin(a))});
        }
        PolyDevice(device, 0, erase);
    }

    // A line of `width` design steps with round ends and joins; a grown line keeps the same ends.
    void Stroke(const std::vector<Pt>& points, double width, double grow = 0, bool erase = false) {
        const double w = width * unit_ * factor_ + 2 * (erase ? -grow : grow) * factor_;
        if (w <= 0 || points.size() < 2) return;
        std::vector<POINT> device;
        device.reserve(points.size());
        for (const Pt& p : points) device.push_back({Device(p.x), Device(p.y)});
        LOGBRUSH brush{BS_SOLID, erase ? RGB(0, 0, 0) : RGB(255, 255, 255), 0};
        UniqueGdi pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                   static_cast<DWORD>(std::lround(w)), &brush, 0, nullptr));
        const Selected selectedPen(dc_.Get(), pen.Get());
        Polyline(dc_.Get(), device.data(), static_cast<int>(device.size()));
    }

    // A letter of the UI font whose ink, not its cell, fills the box's height and is centred in
    // it: fonts differ in bearings and ascent, and the icons need the letter where they put it.
    void Letter(wchar_t letter, int weight, double x0, double y0, double x1, double y1, double grow = 0);

    // Lays the mask over the image in one colour, then clears the mask for the next shape.
    void Paint(Colour c, float opacity = 1.0f) {
        GdiFlush();
        const float cell = 1.0f / static_cast<float>(factor_ * factor_);
        for (int y = 0; y < pixels_; ++y) {
            for (int x = 0; x < pixels_; ++x) {
                int covered = 0;
                for (int sy = 0; sy < factor_; ++sy) {
                    const uint32_t* row = bits_ + static_cast<size_t>(y * factor_ + sy) * size_ + static_cast<size_t>(x) * factor_;
                    for (int sx = 0; sx < factor_; ++sx) covered += (row[sx] & 0xFF) > 0x7F;
                }
                if (!covered) continue;
                const float a = static_cast<float>(covered) * cell * opacity;
                Premultiplied& p = image_[static_cast<size_t>(y) * pixels_ + x];
                p.r = c.r * a + p.r * (1 - a);
                p.g = c.g * a + p.g * (1 - a);
                p.b = c.b * a + p.b * (1 - a);
                p.a = a + p.a * (1 - a);
            }
        }
        std::memset(bits_, 0, static_cast<size_t>(size_) * size_ * 4);
    }

    // draw(grow) twice: widened by the outline in the outline colour, then as it is in the fill.
    template <typename Draw>
    void Outlined(Colour fill, Colour outline, Draw draw) {
        draw(static_cast<double>(line_));
        Paint(outline);
        draw(0.0);
        Paint(fill);
    }

    // Dark glyphs get a soft light rim instead of an outline, so they still read on a dark menu or
    // the dark end of the toolbar gradient, and vanish into a light one.
    template <typename Draw>
    void Haloed(Colour fill, Draw draw) {
        draw(static_cast<double>(line_));
        Paint(kHalo, 0.5f);
        draw(0.0);
        Paint(fill);
    }

    // Image lists take straight (not premultiplied) alpha and premultiply it themselves.
    void CopyTo(uint32_t* row0, int stride) const {
        for (int y = 0; y < pixels_; ++y) {
            for (int x = 0; x < pixels_; ++x) {
                const Premultiplied& p = image_[static_cast<size_t>(y) * pixels_ + x];
                const int alpha = static_cast<int>(std::lround(p.a * 255));
                uint32_t value = 0;
                if (alpha > 0) {
                    auto channel = [&](float v) {
                        return static_cast<uint32_t>(std::clamp(std::lround(v / p.a), 0L, 255L));
                    };
                    value = static_cast<uint32_t>(alpha) << 24 | channel(p.r) << 16 | channel(p.g) << 8 | channel(p.b);
                }
                row0[static_cast<size_t>(y) * stride + x] = value;
            }
        }
    }

private:
    struct Premultiplied {
        float r = 0, g = 0, b = 0, a = 0;
    };

    static int Round(double v) { return static_cast<int>(std::lround(v)); }
    int Device(double u) const { return Round(u * unit_ * factor_); }
    int Snap(double u) const { return Round(u * unit_) * factor_; }
    // Thin bars keep one thickness wherever they lie: snapping both edges of a 1.5-pixel bar
    // gives 1 or 2 pixels by position, and a set of lines would look uneven.
    std::pair<int, int> SnapSpan(double from, double to) const {
        if (to - from > 2) return {Snap(from), Snap(to)};
        const int start = Snap(from);
        return {start, start + std::max(1, Round((to - from) * unit_)) * factor_};
    }

    void PolyDevice(const std::vector<POINT>& device, double grow, bool erase) {
        HDC hdc = dc_.Get();
        const Selected brush(hdc, GetStockObject(erase ? BLACK_BRUSH : WHITE_BRUSH));
        const Selected noPen(hdc, GetStockObject(NULL_PEN));
        Polygon(hdc, device.data(), static_cast<int>(device.size()));
        if (grow <= 0) return;
        // Widen a shape by stroking its edge twice as wide; an erased one shrinks by painting back.
        LOGBRUSH edge{BS_SOLID, RGB(255, 255, 255), 0};
        UniqueGdi pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                                   static_cast<DWORD>(Round(2 * grow * factor_)), &edge, 0, nullptr));
        const Selected selectedPen(hdc, pen.Get());
        const Selected hollow(hdc, GetStockObject(NULL_BRUSH));
        Polygon(hdc, device.data(), static_cast<int>(device.size()));
    }

    int pixels_;
    int factor_;
    int size_;
    double unit_;
    int line_;
    UniqueGdi mask_;
    UniqueDc dc_;
    uint32_t* bits_ = nullptr;
    std::vector<Premultiplied> image_;
};

struct Glyph {
    std::vector<POINT> points;
    std::vector<BYTE> types;
    RECT ink{};
};

// Tahoma is on every Windows and comes with Wine; a large size gives a finely flattened outline.
Glyph TraceGlyph(wchar_t letter, int weight) {
    Glyph glyph;
    UniqueDc dc(CreateCompatibleDC(nullptr));
    UniqueGdi font(CreateFontW(-1024, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                               CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    if (!dc || !font) return glyph;
    const Selected selectedFont(dc.Get(), font.Get());
    SetBkMode(dc.Get(), TRANSPARENT);
    BeginPath(dc.Get());
    TextOutW(dc.Get(), 0, 0, &letter, 1);
    EndPath(dc.Get());
    FlattenPath(dc.Get());
    const int count = GetPath(dc.Get(), nullptr, nullptr, 0);
    if (count <= 0) return glyph;
    glyph.points.resize(static_cast<size_t>(count));
    glyph.types.resize(static_cast<size_t>(count));
    if (GetPath(dc.Get(), glyph.points.data(), glyph.types.data(), count) != count) return Glyph{};
    glyph.ink = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (const POINT& p : glyph.points) {
        glyph.ink.left = std::min(glyph.ink.left, p.x);
        glyph.ink.top = std::min(glyph.ink.top, p.y);
        glyph.ink.right = std::max(glyph.ink.right, p.x);
        glyph.ink.bottom = std::max(glyph.ink.bottom, p.y);
    }
    return glyph;
}

void Canvas::Letter(wchar_t letter, int weight, double x0, double y0, double x1, double y1, double grow) {
    const Glyph glyph = TraceGlyph(letter, weight);
    const double inkWidth = glyph.ink.right - glyph.ink.left;
    const double inkHeight = glyph.ink.bottom - glyph.ink.top;
    if (glyph.points.empty() || inkWidth <= 0 || inkHeight <= 0) return;
    const double top = Snap(y0), bottom = Snap(y1);
    const double scale = std::min((bottom - top) / inkHeight, (Snap(x1) - Snap(x0)) / inkWidth);
    const double left = (Snap(x0) + Snap(x1) - inkWidth * scale) / 2;
    const double down = (top + bottom - inkHeight * scale) / 2;
    std::vector<POINT> device;
    for (const POINT& p : glyph.points)
        device.push_back({Round(left + (p.x - glyph.ink.left) * scale), Round(down + (p.y - glyph.ink.top) * scale)});
    HDC hdc = dc_.Get();
    const Selected brush(hdc, GetStockObject(WHITE_BRUSH));
    BeginPath(hdc);
    PolyDraw(hdc, device.data(), glyph.types.data(), static_cast<int>(device.size()));
    EndPath(hdc);
    if (grow <= 0) {
        FillPath(hdc);
        return;
    }
    LOGBRUSH edge{BS_SOLID, RGB(255, 255, 255), 0};
    UniqueGdi pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                               static_cast<DWORD>(Round(2 * grow * factor_)), &edge, 0, nullptr));
    const Selected selectedPen(hdc, pen.Get());
    StrokeAndFillPath(hdc);
}

// A sheet of paper whose top right corner is folded over by `fold` steps.
void Page(Canvas& c, double x0, double y0, double x1, double y1, double fold) {
    c.Outlined(kPaper, kPaperEdge, [&](double g) {
        c.Poly({{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}}, g);
    });
    if (fold > 0)
        c.Outlined(kFold, kPaperEdge, [&](double g) {
            c.Poly({{x1 - fold, y0}, {x1 - fold, y0 + fold}, {x1, y0 + fold}}, g);
        });
}

void TextLines(Canvas& c, double x0, double x1, std::initializer_list<double> rows) {
    for (double y : rows) c.Rect(x0, y, x1, y + 1);
    c.Paint(kPaperLines);
}

void NewPage(Canvas& c) { Page(c, 3, 1, 13, 15, 4); }

void DeletePage(Canvas& c) {
    Page(c, 2, 1, 12, 15, 4);
    // A light rim rather than a dark outline: at 16 pixels an outlined cross is a red blot.
    c.Outlined(kRed, kPaper, [&](double g) {
        c.Stroke({{8.8, 8.8}, {14, 14}}, 2.3, g);
        c.Stroke({{14, 8.8}, {8.8, 14}}, 2.3, g);
    });
}

void Arrow(Canvas& c, bool left) {
    auto x = [&](double v) { return left ? v : 16 - v; };
    c.Outlined(kGreen, kGreenEdge, [&](double g) {
        c.Poly({{x(2), 8}, {x(8), 2}, {x(8), 5}, {x(14), 5}, {x(14), 11}, {x(8), 11}, {x(8), 14}}, g);
    });
}
void PrevPage(Canvas& c) { Arrow(c, true); }
void NextPage(Canvas& c) { Arrow(c, false); }

void Copy(Canvas& c) {
    Page(c, 2, 1, 10, 11, 3);
    Page(c, 6, 5, 14, 15, 3);
    TextLines(c, 8, 12, {9, 11, 13});
}

void Cut(Canvas& c) {
    c.Outlined(kSteel, kSteelEdge, [&](double g) {
        c.Stroke({{5.6, 10}, {11, 1.5}}, 2, g);
        c.Stroke({{10.4, 10}, {5, 1.5}}, 2, g);
    });
    for (double cx : {4.5, 11.5})
        c.Outlined(kRed, kRedEdge, [&](double g) {
            c.Circle({cx, 12.3}, 2.7, g);
            c.Circle({cx, 12.3}, 1.2, g, true);
        });
    c.Circle({8, 6.2}, 0.8);
    c.Paint(kSteelEdge);
}

void Paste(Canvas& c) {
    c.Outlined(kAmberDeep, kAmberEdge, [&](double g) { c.Rect(2, 2, 14, 15, g); });
    c.Outlined(kPaper, kPaperEdge, [&](double g) { c.Rect(4, 4, 12, 13, g); });
    TextLines(c, 6, 10, {7, 9, 11});
    c.Outlined(kSteel, kSteelEdge, [&](double g) { c.Rect(5, 1, 11, 4, g); });
}

void Print(Canvas& c) {
    c.Outlined(kPaper, kPaperEdge, [&](double g) { c.Rect(4, 1, 12, 6, g); });
    c.Outlined(kSteel, kSteelEdge, [&](double g) { c.Rect(1, 5, 15, 12, g); });
    c.Outlined(kPaper, kPaperEdge, [&](double g) { c.Rect(4, 9, 12, 15, g); });
    TextLines(c, 6, 10, {11, 13});
    c.Rect(12, 7, 13, 8);
    c.Paint(kGreen);
}

void Find(Canvas& c) {
    c.Outlined(kHandle, kSteelEdge, [&](double g) { c.Stroke({{10, 10}, {14, 14}}, 2.6, g); });
    c.Outlined(kSteel, kSteelEdge, [&](double g) {
        c.Circle({6.5, 6.5}, 5.2, g);
        c.Circle({6.5, 6.5}, 3.6, g, true);
    });
    c.Circle({6.5, 6.5}, 3.6);
    c.Paint(kSky);
    c.Stroke({{4.5, 6.5}, {5.2, 5.0}, {6.5, 4.4}}, 1.0);
    c.Paint(kPaper);
}

// A stack of pages with the magnifier over them.
void FindAll(Canvas& c) {
    Page(c, 1, 1, 9, 11, 3);
    Page(c, 4, 4, 12, 14, 3);
    c.Outlined(kHandle, kSteelEdge, [&](double g) { c.Stroke({{12, 12}, {15, 15}}, 2.2, g); });
    c.Outlined(kSteel, kSteelEdge, [&](double g) {
        c.Circle({10, 10}, 3.8, g);
        c.Circle({10, 10}, 2.5, g, true);
    });
    c.Circle({10, 10}, 2.5);
    c.Paint(kSky);
}

// A page with the arrow that leads to it.
void GoToPage(Canvas& c) {
    Page(c, 6, 1, 15, 15, 3);
    TextLines(c, 8, 13, {7, 9, 11});
    c.Outlined(kGreen, kGreenEdge, [&](double g) {
        c.Poly({{1, 6}, {5, 6}, {5, 3.5}, {9.5, 8}, {5, 12.5}, {5, 10}, {1, 10}}, g);
    });
}

void Options(Canvas& c) {
    c.Outlined(kSteel, kSteelEdge, [&](double g) {
        const int teeth = 6;
        std::vector<Pt> outline;
        for (int i = 0; i < teeth; ++i) {
            const double a = 2 * std::numbers::pi * i / teeth;
            for (auto [offset, radius] : {std::pair{-0.32, 4.9}, {-0.2, 7.0}, {0.2, 7.0}, {0.32, 4.9}})
                outline.push_back({8 + radius * std::cos(a + offset), 8 + radius * std::sin(a + offset)});
        }
        c.Shape(outline, g);
        c.Circle({8, 8}, 2.1, g, true);
    });
}

void Save(Canvas& c) {
    c.Outlined(kBlue, kBlueEdge, [&](double g) { c.Poly({{2, 2}, {12, 2}, {14, 4}, {14, 14}, {2, 14}}, g); });
    c.Outlined(kSteelLight, kBlueEdge, [&](double g) { c.Rect(5, 2, 11, 6, g); });
    c.Rect(8, 3, 10, 5);
    c.Paint(kBlueEdge);
    c.Outlined(kPaper, kBlueEdge, [&](double g) { c.Rect(4, 9, 12, 14, g); });
}

void Undo(Canvas& c) {
    c.Outlined(kBlue, kBlueEdge, [&](double g) {
        std::vector<Pt> path{{6, 6.5}};
        for (int i = 0; i <= 20; ++i) {
            const double a = std::numbers::pi / 2 - 1.75 * i / 20;
            path.push_back({8.5 + 4.5 * std::cos(a), 11 - 4.5 * std::sin(a)});
        }
        c.Stroke(path, 2.2, g);
        c.Shape({{1.5, 6.5}, {6.5, 2}, {6.5, 11}}, g);
    });
}

void Open(Canvas& c) {
    c.Outlined(kAmberDeep, kAmberEdge, [&](double g) {
        c.Poly({{1, 3}, {6, 3}, {7, 4}, {13, 4}, {13, 13}, {1, 13}}, g);
    });
    c.Outlined(kAmber, kAmberEdge, [&](double g) { c.Poly({{4, 7}, {15, 7}, {12, 13}, {1, 13}}, g); });
}

void Bold(Canvas& c) {
    c.Haloed(kInk, [&](double g) { c.Letter(L'B', FW_BOLD, 3, 2, 13, 14, g); });
}

void Italic(Canvas& c) {
    // Drawn rather than set: a sans-serif I leaned over reads as a slash, and the serif faces
    // that come with Windows do not come with Wine.
    c.Haloed(kInk, [&](double g) {
        c.Poly({{7, 3}, {10, 3}, {8.5, 13}, {5.5, 13}}, g);
        c.Rect(6, 2, 13, 3.5, g);
        c.Rect(3, 12.5, 10, 14, g);
    });
}

void Underline(Canvas& c) {
    c.Haloed(kInk, [&](double g) {
        c.Letter(L'U', FW_BOLD, 3, 1, 13, 11, g);
        c.Rect(3, 13, 13, 15, g);
    });
}

enum class Align { Left, Center, Right, Justify };

void Alignment(Canvas& c, Align align) {
    c.Haloed(kInk, [&](double g) {
        for (int i = 0; i < 5; ++i) {
            const double y = 2 + 3 * i;
            const bool shortLine = align == Align::Justify ? i == 4 : i % 2 == 1;
            const double length = shortLine ? 8 : 14;
            double x = 1;
            if (align == Align::Center) x = 8 - length / 2;
            if (align == Align::Right) x = 15 - length;
            c.Rect(x, y, x + length, y + 1, g);
        }
    });
}
void AlignLeft(Canvas& c) { Alignment(c, Align::Left); }
void AlignCenter(Canvas& c) { Alignment(c, Align::Center); }
void AlignRight(Canvas& c) { Alignment(c, Align::Right); }
void Justify(Canvas& c) { Alignment(c, Align::Justify); }

void Font(Canvas& c) {
    c.Haloed(kInk, [&](double g) { c.Letter(L'A', FW_BOLD, 2, 1, 14, 11, g); });
    c.Outlined(kRed, kRedEdge, [&](double g) { c.Rect(2, 13, 14, 15, g); });
}

// A bucket full of paint, running over its rim.
void Background(Canvas& c) {
    std::vector<Pt> handle, surface;
    for (int i = 0; i <= 16; ++i) {
        const double t = std::numbers::pi * i / 16;
        handle.push_back({7 - 4.3 * std::cos(t), 5 - 4 * std::sin(t)});
    }
    for (int i = 0; i < 32; ++i) {
        const double t = 2 * std::numbers::pi * i / 32;
        surface.push_back({7 + 4.6 * std::cos(t), 5 + 1.4 * std::sin(t)});
    }
    c.Stroke(handle, 1);
    c.Paint(kPaperEdge);
    c.Outlined(kPaper, kPaperEdge, [&](double g) {
        c.Poly({{2.5, 5}, {11.5, 5}, {10, 10.5}, {4, 10.5}}, g);
    });
    c.Outlined(kAmber, kAmberEdge, [&](double g) {
        c.Shape(surface, g);
        c.Stroke({{11.2, 5.5}, {12.8, 7.5}}, 1.4, g);
        c.Circle({13, 9.2}, 1.5, g);
    });
    c.Outlined(kAmber, kAmberEdge, [&](double g) { c.Rect(2, 13, 14, 15, g); });
}

void Help(Canvas& c) {
    c.Outlined(kBlue, kBlueEdge, [&](double g) { c.Circle({8, 8}, 6.8, g); });
    c.Letter(L'?', FW_BOLD, 5, 3.5, 11, 12.5);
    c.Paint(kPaper);
}

using Painter = void (*)(Canvas&);
constexpr std::array<Painter, kToolbarImageCount> kPainters{
    Background, PrevPage,    Copy,       Cut,      DeletePage, GoToPage, NextPage, NewPage, FindAll, Paste,
    Print,      Find,        Options,    nullptr,  Save,       nullptr, Undo,     Open,    Underline,
    AlignCenter, AlignLeft,  AlignRight, Bold,     Italic,     Justify, Font,     Find,    Help,    Options,
};

}  // namespace

// Steps of 8 are where every other step of the 16-step design grid falls on a whole pixel, so
// snapping straight edges bends the design least; they also hit 100, 150, 200 and 300 % exactly.
// A tie (125 %) goes up: the smaller choice would leave the images at their 100 % size.
int ToolbarIconPixels(UINT dpi) {
    if (dpi == 0) dpi = USER_DEFAULT_SCREEN_DPI;
    const UINT pixels = (std::min(dpi, 100000u) + 24) / 48 * 8;
    return std::clamp(static_cast<int>(pixels), 16, 64);
}

HIMAGELIST CreateToolbarImages(int pixels, bool disabled) {
    pixels = std::clamp(pixels, 16, 64);
    const int width = pixels * kToolbarImageCount;
    void* bits = nullptr;
    UniqueGdi strip(app::CreateDib32(nullptr, width, pixels, &bits));
    Canvas canvas(pixels);
    if (!strip || !canvas.Ready()) return nullptr;
    auto* pixelsOut = static_cast<uint32_t*>(bits);
    for (int i = 0; i < kToolbarImageCount; ++i) {
        canvas.Clear();
        if (kPainters[static_cast<size_t>(i)]) kPainters[static_cast<size_t>(i)](canvas);
        canvas.CopyTo(pixelsOut + static_cast<size_t>(i) * pixels, width);
    }
    if (disabled) {
        // Grey and faint: the images of commands that cannot run now.
        for (size_t i = 0; i < static_cast<size_t>(width) * pixels; ++i) {
            const uint32_t p = pixelsOut[i];
            const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF, a = p >> 24;
            const uint32_t grey = (r * 30 + g * 59 + b * 11) / 100 / 2 + 64;
            pixelsOut[i] = ((a * 45 / 100) << 24) | (grey << 16) | (grey << 8) | grey;
        }
    }
    // An image with no alpha at all counts as opaque to the image list, so the blank ones need a
    // mask to stay blank. The mask also serves whatever draws the list without alpha (ILD_MASK).
    const int maskStride = (width + 15) / 16 * 2;
    std::vector<BYTE> maskBits(static_cast<size_t>(maskStride) * pixels, 0);
    for (int y = 0; y < pixels; ++y)
        for (int x = 0; x < width; ++x)
            if ((pixelsOut[static_cast<size_t>(y) * width + x] >> 24) < 0x80)
                maskBits[static_cast<size_t>(y) * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    UniqueGdi mask(CreateBitmap(width, pixels, 1, 1, maskBits.data()));
    if (!mask) return nullptr;
    app::UniqueImageList list(
        app::comctl::ImageList_Create(pixels, pixels, ILC_COLOR32 | ILC_MASK, kToolbarImageCount, 0));
    if (!list) return nullptr;
    if (app::comctl::ImageList_Add(list.Get(), static_cast<HBITMAP>(strip.Get()),
                                   static_cast<HBITMAP>(mask.Get())) < 0 ||
        app::comctl::ImageList_GetImageCount(list.Get()) != kToolbarImageCount)
        return nullptr;
    return list.Release();
}

}  // namespace tavrik::ui
