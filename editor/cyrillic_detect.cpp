// Cyrillic code page detection: letter tables, the frequency score and the twelve recoding trials.
#include "editor/cyrillic_detect.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace tavrik::editor {
namespace {

// win: Windows-1251 codes of А а Б б ... Я я (no Ё ё). koi and iso: for the foreign code win[m],
// the Windows-1251 code of the character found there. dos: CP866 codes of the same letters.
constexpr std::array<std::string_view, kLetterTableCount> kTables{
    "\xC0\xE0\xC1\xE1\xC2\xE2\xC3\xE3\xC4\xE4\xC5\xE5\xC6\xE6\xC7\xE7"
    "\xC8\xE8\xC9\xE9\xCA\xEA\xCB\xEB\xCC\xEC\xCD\xED\xCE\xEE\xCF\xEF"
    "\xD0\xF0\xD1\xF1\xD2\xF2\xD3\xF3\xD4\xF4\xD5\xF5\xD6\xF6\xD7\xF7"
    "\xD8\xF8\xD9\xF9\xDA\xFA\xDB\xFB\xDC\xFC\xDD\xFD\xDE\xFE\xDF\xFF",
    "\xFE\xDE\xE0\xC0\xE1\xC1\xF6\xD6\xE4\xC4\xE5\xC5\xF4\xD4\xE3\xC3"
    "\xF5\xD5\xE8\xC8\xE9\xC9\xEA\xCA\xEB\xCB\xEC\xCC\xED\xCD\xEE\xCE"
    "\xEF\xCF\xFF\xDF\xF0\xD0\xF1\xD1\xF2\xD2\xF3\xD3\xE6\xC6\xE2\xC2"
    "\xFC\xDC\xFB\xDB\xE7\xC7\xF8\xD8\xFD\xDD\xF9\xD9\xF7\xD7\xFA\xDA",
    "\xD0\xF0\xD1\xF1\xD2\xF2\xD3\xF3\xD4\xF4\xD5\xF5\xD6\xF6\xD7\xF7"
    "\xD8\xF8\xD9\xF9\xDA\xFA\xDB\xFB\xDC\xFC\xDD\xFD\xDE\xFE\xDF\xFF"
    "\xE0\xB9\xE1\xB8\xE2\x90\xE3\x83\xE4\xBA\xE5\xBE\xE6\xB3\xE7\xBF"
    "\xE8\xBC\xE9\x9A\xEA\x9C\xEB\x9E\xEC\x9D\xED\xA7\xEE\xA2\xEF\x9F",
    "\x80\xA0\x81\xA1\x82\xA2\x83\xA3\x84\xA4\x85\xA5\x86\xA6\x87\xA7"
    "\x88\xA8\x89\xA9\x8A\xAA\x8B\xAB\x8C\xAC\x8D\xAD\x8E\xAE\x8F\xAF"
    "\x90\xE0\x91\xE1\x92\xE2\x93\xE3\x94\xE4\x95\xE5\x96\xE6\x97\xE7"
    "\x98\xE8\x99\xE9\x9A\xEA\x9B\xEB\x9C\xEC\x9D\xED\x9E\xEE\x9F\xEF",
};

// Expected share of Windows-1251 code 0xC0 + k among all bytes of a Russian text.
constexpr std::array<float, kLetterCount> kShares{
    0.001f, 0.0f,   0.002f, 0.0f,   0.001f, 0.001f, 0.0f,   0.0f,     // А Б В Г Д Е Ж З
    0.001f, 0.0f,   0.001f, 0.0f,   0.001f, 0.001f, 0.001f, 0.002f,   // И Й К Л М Н О П
    0.002f, 0.001f, 0.001f, 0.0f,   0.0f,   0.0f,   0.0f,   0.001f,   // Р С Т У Ф Х Ц Ч
    0.001f, 0.0f,   0.0f,   0.0f,   0.0f,   0.001f, 0.0f,   0.0f,     // Ш Щ Ъ Ы Ь Э Ю Я
    0.057f, 0.01f,  0.031f, 0.011f, 0.021f, 0.067f, 0.007f, 0.013f,   // а б в г д е ж з
    0.052f, 0.011f, 0.023f, 0.03f,  0.024f, 0.043f, 0.075f, 0.026f,   // и й к л м н о п
    0.038f, 0.034f, 0.046f, 0.016f, 0.001f, 0.006f, 0.002f, 0.011f,   // р с т у ф х ц ч
    0.004f, 0.004f, 0.0f,   0.012f, 0.012f, 0.003f, 0.005f, 0.015f,   // ш щ ъ ы ь э ю я
};

// The score has to come out bit for bit as x87 code computes it: quotient, difference and square
// with a 64-bit significand, and a float running sum rounded after each such addition. Where
// long double is only a double the hardware cannot give that, and even on x87 the result would
// depend on the precision control word and on what the compiler keeps in registers. So these few
// operations are done in integers, rounding to nearest-even by hand, where no compiler flag, FPU
// mode or contraction can reach them.

// A non-negative value sig * 2^exp; sig has its top bit set, or is 0 for zero.
struct Ext {
    std::uint64_t sig = 0;
    int exp = 0;
};

struct U128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
};

constexpr std::uint64_t kLow32 = 0xFFFFFFFFu;

constexpr bool IsZero(U128 a) { return (a.hi | a.lo) == 0; }

constexpr U128 Minus(U128 a, U128 b) {  // a >= b
    return {a.hi - b.hi - std::uint64_t{a.lo < b.lo}, a.lo - b.lo};
}

constexpr U128 Plus(U128 a, U128 b, bool& carry) {
    const std::uint64_t lo = a.lo + b.lo;
    const std::uint64_t hi = a.hi + b.hi;
    const std::uint64_t hiCarried = hi + std::uint64_t{lo < a.lo};
    carry = hi < a.hi || hiCarried < hi;
    return {hiCarried, lo};
}

// Shifts right by 0..127 or more; `lost` tells whether any 1 bits fell off.
constexpr U128 ShiftRight(U128 a, int s, bool& lost) {
    if (s == 0) { lost = false; return a; }
    if (s >= 128) { lost = !IsZero(a); return {}; }
    if (s >= 64) {
        lost = a.lo != 0 || (s > 64 && (a.hi << (128 - s)) != 0);
        return {0, a.hi >> (s - 64)};
    }
    lost = (a.lo << (64 - s)) != 0;
    return {a.hi >> s, (a.lo >> s) | (a.hi << (64 - s))};
}

constexpr U128 Multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t p00 = (a & kLow32) * (b & kLow32);
    const std::uint64_t p01 = (a & kLow32) * (b >> 32);
    const std::uint64_t p10 = (a >> 32) * (b & kLow32);
    const std::uint64_t p11 = (a >> 32) * (b >> 32);
    const std::uint64_t mid = (p00 >> 32) + (p01 & kLow32) + (p10 & kLow32);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & kLow32)};
}

// (hi:lo) / v with v's top bit set and hi < v, in 32-bit digits so that no 128-bit type is needed.
constexpr std::uint64_t DivideWide(std::uint64_t hi, std::uint64_t lo, std::uint64_t v,
                                   std::uint64_t& rem) {
    constexpr std::uint64_t b = std::uint64_t{1} << 32;
    const std::uint64_t vn1 = v >> 32;
    const std::uint64_t vn0 = v & kLow32;
    const std::uint64_t un1 = lo >> 32;
    const std::uint64_t un0 = lo & kLow32;
    std::uint64_t q1 = hi / vn1;
    std::uint64_t rhat = hi - q1 * vn1;
    while (q1 >= b || q1 * vn0 > b * rhat + un1) {
        --q1;
        rhat += vn1;
        if (rhat >= b) break;
    }
    const std::uint64_t un21 = hi * b + un1 - q1 * v;  // wraps to the true remainder, below v
    std::uint64_t q0 = un21 / vn1;
    rhat = un21 - q0 * vn1;
    while (q0 >= b || q0 * vn0 > b * rhat + un0) {
        --q0;
        rhat += vn1;
        if (rhat >= b) break;
    }
    rem = un21 * b + un0 - q0 * v;
    return q1 * b + q0;
}

constexpr Ext Normalized(std::uint64_t sig, int exp) {
    if (sig == 0) return {};
    const int up = std::countl_zero(sig);
    return {sig << up, exp - up};
}

// Rounds (w + θ) * 2^e to a 64-bit significand, θ = 0 when !sticky and 0 < θ < 1 otherwise.
// With sticky set the caller guarantees w has more than 64 significant bits.
constexpr Ext RoundToExt(U128 w, int e, bool sticky) {
    if (IsZero(w)) return {};
    const int lead = w.hi != 0 ? 127 - std::countl_zero(w.hi) : 63 - std::countl_zero(w.lo);
    if (lead <= 63) {
        assert(!sticky);
        return Normalized(w.lo, e);
    }
    const int drop = lead - 63;
    bool below = false;
    const U128 r = ShiftRight(w, drop - 1, below);  // the kept bits and the rounding bit
    const std::uint64_t kept = (r.lo >> 1) | (r.hi << 63);
    const bool up = (r.lo & 1) != 0 && (below || sticky || (kept & 1) != 0);
    if (!up) return {kept, e + drop};
    if (kept + 1 == 0) return {std::uint64_t{1} << 63, e + drop + 1};
    return {kept + 1, e + drop};
}

constexpr bool Less(Ext a, Ext b) {
    if (a.sig == 0 || b.sig == 0) return a.sig == 0 && b.sig != 0;
    return a.exp < b.exp || (a.exp == b.exp && a.sig < b.sig);
}

// c / n for n > 0.
constexpr Ext Divide(std::uint64_t c, std::uint64_t n) {
    if (c == 0) return {};
    const int sc = std::countl_zero(c);
    const int sn = std::countl_zero(n);
    const std::uint64_t cn = c << sc;
    const std::uint64_t nn = n << sn;
    // Scale so that the quotient fills exactly 64 bits.
    const bool below = cn < nn;
    const std::uint64_t hi = below ? cn : cn >> 1;
    const std::uint64_t lo = below ? 0 : cn << 63;
    const int exp = sn - sc - (below ? 64 : 63);
    std::uint64_t rem = 0;
    const std::uint64_t q = DivideWide(hi, lo, nn, rem);
    const std::uint64_t rest = nn - rem;
    const bool up = rem > rest || (rem == rest && (q & 1) != 0);
    if (!up) return {q, exp};
    if (q + 1 == 0) return {std::uint64_t{1} << 63, exp + 1};
    return {q + 1, exp};
}

// |a - b|: the square that follows does not care about the sign.
constexpr Ext AbsDifference(Ext a, Ext b) {
    if (b.sig == 0) return a;
    if (a.sig == 0) return b;
    if (Less(a, b)) std::swap(a, b);
    bool lost = false;
    const U128 aligned = ShiftRight({b.sig, 0}, std::min(a.exp - b.exp, 128), lost);
    U128 d = Minus({a.sig, 0}, aligned);
    if (lost) d = Minus(d, {0, 1});  // the true difference lies strictly between d and d + 1
    return RoundToExt(d, a.exp - 64, lost);
}

constexpr Ext Sum(Ext a, Ext b) {
    if (b.sig == 0) return a;
    if (a.sig == 0) return b;
    if (Less(a, b)) std::swap(a, b);
    bool lost = false;
    const U128 aligned = ShiftRight({b.sig, 0}, std::min(a.exp - b.exp, 128), lost);
    bool carry = false;
    U128 s = Plus({a.sig, 0}, aligned, carry);
    int e = a.exp - 64;
    if (carry) {
        lost = lost || (s.lo & 1) != 0;
        s = {(s.hi >> 1) | (std::uint64_t{1} << 63), (s.lo >> 1) | (s.hi << 63)};
        ++e;
    }
    return RoundToExt(s, e, lost);
}

constexpr Ext Square(Ext a) {
    if (a.sig == 0) return {};
    return RoundToExt(Multiply(a.sig, a.sig), 2 * a.exp, false);
}

// Rounds to what a float holds: 24 bits, or fewer below 2^-126 where floats step by 2^-149.
constexpr Ext RoundToFloat(Ext x) {
    if (x.sig == 0) return {};
    const int drop = std::max(40, -149 - x.exp);
    if (drop > 64) return {};  // below half the smallest float
    bool below = false;
    const U128 r = ShiftRight({0, x.sig}, drop - 1, below);
    std::uint64_t kept = r.lo >> 1;
    if ((r.lo & 1) != 0 && (below || (kept & 1) != 0)) ++kept;
    return Normalized(kept, x.exp + drop);
}

constexpr Ext FromFloat(float f) {
    static_assert(std::numeric_limits<float>::is_iec559);
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(f);
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    const std::uint32_t fraction = bits & 0x7FFFFF;
    if (biased == 0) return Normalized(fraction, -149);
    return Normalized(fraction | 0x800000u, biased - 150);
}

float ToFloat(Ext x) {
    if (x.sig == 0) return 0.0f;
    return std::ldexp(static_cast<float>(x.sig >> 40), x.exp + 40);  // exact: at most 24 bits
}

struct ShareTerms {
    std::array<Ext, kLetterCount> share{};
    std::array<Ext, kLetterCount> absentTerm{};  // the term of a letter that does not occur
};

constexpr ShareTerms MakeShareTerms() {
    ShareTerms t;
    for (int k = 0; k < kLetterCount; ++k) {
        t.share[k] = FromFloat(kShares[k]);
        t.absentTerm[k] = Square(t.share[k]);
    }
    return t;
}

constexpr ShareTerms kShareTerms = MakeShareTerms();

Ext Score(const LetterCounts& counts, std::uint64_t n) {
    Ext sum;
    for (int k = 0; k < kLetterCount; ++k) {
        const Ext term = counts[k] == 0
            ? kShareTerms.absentTerm[k]
            : Square(AbsDifference(Divide(counts[k], n), kShareTerms.share[k]));
        sum = RoundToFloat(Sum(sum, term));
    }
    return sum;
}

// The letter counts of the text after recoding by `map`, without recoding it.
LetterCounts LettersAfter(const RecodeMap& map, const ByteCounts& counts) {
    LetterCounts letters{};
    for (int b = 0; b < 256; ++b) {
        if (map[b] >= 0xC0) letters[map[b] - 0xC0] += counts[b];
    }
    return letters;
}

// Eight bytes a step, gathered in a register: at -O3 GCC turns the plain byte loop into lane by
// lane vector shuffles that take twice as long.
void RecodeInPlace(std::string& text, const RecodeMap& map) {
    char* p = text.data();
    char* const end = p + text.size();
    for (; end - p >= 8; p += 8) {
        std::uint64_t w;
        std::memcpy(&w, p, sizeof w);
        const auto at = [&](int shift) {
            return std::uint64_t{map[static_cast<std::size_t>((w >> shift) & 0xFF)]} << shift;
        };
        const std::uint64_t r = at(0) | at(8) | at(16) | at(24) | at(32) | at(40) | at(48) | at(56);
        std::memcpy(p, &r, sizeof r);
    }
    for (; p != end; ++p) *p = static_cast<char>(map[static_cast<unsigned char>(*p)]);
}

}  // namespace

std::string_view LetterTableBytes(int table) {
    assert(table >= 0 && table < kLetterTableCount);
    return kTables[table];
}

RecodeMap MapForPair(TrialPair pair) {
    assert(pair.to >= 0 && pair.to < kLetterTableCount && pair.from >= 0 && pair.from < kLetterTableCount);
    RecodeMap map;
    for (int b = 0; b < 256; ++b) map[b] = static_cast<unsigned char>(b);
    const std::string_view to = kTables[pair.to];
    const std::string_view from = kTables[pair.from];
    for (int m = 0; m < kLetterCount; ++m) {
        map[static_cast<unsigned char>(from[m])] = static_cast<unsigned char>(to[m]);
    }
    return map;
}

ByteCounts CountBytes(std::string_view text) {
    // Four sets of counters, so that a byte repeated close by does not wait for its own
    // increment to be stored.
    constexpr std::size_t kChunk = std::size_t{1} << 30;  // keeps the 32-bit counters from overflowing
    ByteCounts total{};
    while (!text.empty()) {
        const std::string_view chunk = text.substr(0, kChunk);
        text.remove_prefix(chunk.size());
        std::array<std::array<std::uint32_t, 256>, 4> part{};
        const auto* p = reinterpret_cast<const unsigned char*>(chunk.data());
        const auto* const end = p + chunk.size();
        for (; end - p >= 8; p += 8) {
            ++part[0][p[0]];
            ++part[1][p[1]];
            ++part[2][p[2]];
            ++part[3][p[3]];
            ++part[0][p[4]];
            ++part[1][p[5]];
            ++part[2][p[6]];
            ++part[3][p[7]];
        }
        for (; p != end; ++p) ++part[0][*p];
        for (int b = 0; b < 256; ++b) {
            total[b] += std::uint64_t{part[0][b]} + part[1][b] + part[2][b] + part[3][b];
        }
    }
    return total;
}

float LetterScore(const LetterCounts& counts, std::uint64_t n) {
    assert(n > 0);
    return ToFloat(Score(counts, n));
}

// A recoded text's letter counts follow from the input's byte counts, so one count of the
// bytes serves the input and all twelve trials.
TrialPair ChooseTrial(const ByteCounts& counts, std::uint64_t n) {
    TrialPair chosen;
    if (n == 0) return chosen;
    Ext best = Score(LettersAfter(MapForPair(chosen), counts), n);
    for (int to = 0; to < kLetterTableCount; ++to) {
        for (int from = 0; from < kLetterTableCount; ++from) {
            if (to == from) continue;
            const TrialPair pair{to, from};
            const Ext s = Score(LettersAfter(MapForPair(pair), counts), n);
            if (Less(s, best)) {  // strictly: the input and earlier trials keep their ties
                best = s;
                chosen = pair;
            }
        }
    }
    return chosen;
}

std::string CodePageDetect(std::string text) {
    if (text.empty()) return text;
    const TrialPair chosen = ChooseTrial(CountBytes(text), text.size());
    if (chosen == TrialPair{}) return text;
    RecodeInPlace(text, MapForPair(chosen));
    return text;
}

}  // namespace tavrik::editor
