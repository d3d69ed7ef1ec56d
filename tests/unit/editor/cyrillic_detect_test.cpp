// Tests of the Cyrillic code page detection: its tables, real prose in each code page, ties, and
// the score's extended-precision arithmetic.
#include "editor/cyrillic_detect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace tavrik::editor {

void PrintTo(const TrialPair& pair, std::ostream* os) { *os << '(' << pair.to << ", " << pair.from << ')'; }

namespace {

// All byte strings below were written by iconv from UTF-8.

// "Утром над рекой стоял густой туман, и лодки у берега казались серыми тенями.
//  Старый рыбак не спеша разбирал сети и рассказывал внуку, как в молодости ходил на дальнее озеро.
//  Мальчик слушал молча, а потом спросил, возьмёт ли дед его с собой завтра." (CRLF line breaks)
const std::string kProseWin =
    "\xD3\xF2\xF0\xEE\xEC \xED\xE0\xE4 \xF0\xE5\xEA\xEE\xE9 \xF1\xF2\xEE\xFF\xEB \xE3\xF3\xF1"
    "\xF2\xEE\xE9 \xF2\xF3\xEC\xE0\xED, \xE8 \xEB\xEE\xE4\xEA\xE8 \xF3 \xE1\xE5\xF0\xE5\xE3\xE0"
    " \xEA\xE0\xE7\xE0\xEB\xE8\xF1\xFC \xF1\xE5\xF0\xFB\xEC\xE8 \xF2\xE5\xED\xFF\xEC\xE8.\r\n"
    "\xD1\xF2\xE0\xF0\xFB\xE9 \xF0\xFB\xE1\xE0\xEA \xED\xE5 \xF1\xEF\xE5\xF8\xE0 \xF0\xE0\xE7"
    "\xE1\xE8\xF0\xE0\xEB \xF1\xE5\xF2\xE8 \xE8 \xF0\xE0\xF1\xF1\xEA\xE0\xE7\xFB\xE2\xE0\xEB "
    "\xE2\xED\xF3\xEA\xF3, \xEA\xE0\xEA \xE2 \xEC\xEE\xEB\xEE\xE4\xEE\xF1\xF2\xE8 \xF5\xEE\xE4"
    "\xE8\xEB \xED\xE0 \xE4\xE0\xEB\xFC\xED\xE5\xE5 \xEE\xE7\xE5\xF0\xEE.\r\n"
    "\xCC\xE0\xEB\xFC\xF7\xE8\xEA \xF1\xEB\xF3\xF8\xE0\xEB \xEC\xEE\xEB\xF7\xE0, \xE0 \xEF\xEE"
    "\xF2\xEE\xEC \xF1\xEF\xF0\xEE\xF1\xE8\xEB, \xE2\xEE\xE7\xFC\xEC\xB8\xF2 \xEB\xE8 \xE4\xE5"
    "\xE4 \xE5\xE3\xEE \xF1 \xF1\xEE\xE1\xEE\xE9 \xE7\xE0\xE2\xF2\xF0\xE0.";
const std::string kProseKoi =  // the same in KOI8-R
    "\xF5\xD4\xD2\xCF\xCD \xCE\xC1\xC4 \xD2\xC5\xCB\xCF\xCA \xD3\xD4\xCF\xD1\xCC \xC7\xD5\xD3"
    "\xD4\xCF\xCA \xD4\xD5\xCD\xC1\xCE, \xC9 \xCC\xCF\xC4\xCB\xC9 \xD5 \xC2\xC5\xD2\xC5\xC7\xC1"
    " \xCB\xC1\xDA\xC1\xCC\xC9\xD3\xD8 \xD3\xC5\xD2\xD9\xCD\xC9 \xD4\xC5\xCE\xD1\xCD\xC9.\r\n"
    "\xF3\xD4\xC1\xD2\xD9\xCA \xD2\xD9\xC2\xC1\xCB \xCE\xC5 \xD3\xD0\xC5\xDB\xC1 \xD2\xC1\xDA"
    "\xC2\xC9\xD2\xC1\xCC \xD3\xC5\xD4\xC9 \xC9 \xD2\xC1\xD3\xD3\xCB\xC1\xDA\xD9\xD7\xC1\xCC "
    "\xD7\xCE\xD5\xCB\xD5, \xCB\xC1\xCB \xD7 \xCD\xCF\xCC\xCF\xC4\xCF\xD3\xD4\xC9 \xC8\xCF\xC4"
    "\xC9\xCC \xCE\xC1 \xC4\xC1\xCC\xD8\xCE\xC5\xC5 \xCF\xDA\xC5\xD2\xCF.\r\n"
    "\xED\xC1\xCC\xD8\xDE\xC9\xCB \xD3\xCC\xD5\xDB\xC1\xCC \xCD\xCF\xCC\xDE\xC1, \xC1 \xD0\xCF"
    "\xD4\xCF\xCD \xD3\xD0\xD2\xCF\xD3\xC9\xCC, \xD7\xCF\xDA\xD8\xCD\xA3\xD4 \xCC\xC9 \xC4\xC5"
    "\xC4 \xC5\xC7\xCF \xD3 \xD3\xCF\xC2\xCF\xCA \xDA\xC1\xD7\xD4\xD2\xC1.";
const std::string kProseIso =  // in ISO 8859-5
    "\xC3\xE2\xE0\xDE\xDC \xDD\xD0\xD4 \xE0\xD5\xDA\xDE\xD9 \xE1\xE2\xDE\xEF\xDB \xD3\xE3\xE1"
    "\xE2\xDE\xD9 \xE2\xE3\xDC\xD0\xDD, \xD8 \xDB\xDE\xD4\xDA\xD8 \xE3 \xD1\xD5\xE0\xD5\xD3\xD0"
    " \xDA\xD0\xD7\xD0\xDB\xD8\xE1\xEC \xE1\xD5\xE0\xEB\xDC\xD8 \xE2\xD5\xDD\xEF\xDC\xD8.\r\n"
    "\xC1\xE2\xD0\xE0\xEB\xD9 \xE0\xEB\xD1\xD0\xDA \xDD\xD5 \xE1\xDF\xD5\xE8\xD0 \xE0\xD0\xD7"
    "\xD1\xD8\xE0\xD0\xDB \xE1\xD5\xE2\xD8 \xD8 \xE0\xD0\xE1\xE1\xDA\xD0\xD7\xEB\xD2\xD0\xDB "
    "\xD2\xDD\xE3\xDA\xE3, \xDA\xD0\xDA \xD2 \xDC\xDE\xDB\xDE\xD4\xDE\xE1\xE2\xD8 \xE5\xDE\xD4"
    "\xD8\xDB \xDD\xD0 \xD4\xD0\xDB\xEC\xDD\xD5\xD5 \xDE\xD7\xD5\xE0\xDE.\r\n"
    "\xBC\xD0\xDB\xEC\xE7\xD8\xDA \xE1\xDB\xE3\xE8\xD0\xDB \xDC\xDE\xDB\xE7\xD0, \xD0 \xDF\xDE"
    "\xE2\xDE\xDC \xE1\xDF\xE0\xDE\xE1\xD8\xDB, \xD2\xDE\xD7\xEC\xDC\xF1\xE2 \xDB\xD8 \xD4\xD5"
    "\xD4 \xD5\xD3\xDE \xE1 \xE1\xDE\xD1\xDE\xD9 \xD7\xD0\xD2\xE2\xE0\xD0.";
const std::string kProseDos =  // in CP866
    "\x93\xE2\xE0\xAE\xAC \xAD\xA0\xA4 \xE0\xA5\xAA\xAE\xA9 \xE1\xE2\xAE\xEF\xAB \xA3\xE3\xE1"
    "\xE2\xAE\xA9 \xE2\xE3\xAC\xA0\xAD, \xA8 \xAB\xAE\xA4\xAA\xA8 \xE3 \xA1\xA5\xE0\xA5\xA3\xA0"
    " \xAA\xA0\xA7\xA0\xAB\xA8\xE1\xEC \xE1\xA5\xE0\xEB\xAC\xA8 \xE2\xA5\xAD\xEF\xAC\xA8.\r\n"
    "\x91\xE2\xA0\xE0\xEB\xA9 \xE0\xEB\xA1\xA0\xAA \xAD\xA5 \xE1\xAF\xA5\xE8\xA0 \xE0\xA0\xA7"
    "\xA1\xA8\xE0\xA0\xAB \xE1\xA5\xE2\xA8 \xA8 \xE0\xA0\xE1\xE1\xAA\xA0\xA7\xEB\xA2\xA0\xAB "
    "\xA2\xAD\xE3\xAA\xE3, \xAA\xA0\xAA \xA2 \xAC\xAE\xAB\xAE\xA4\xAE\xE1\xE2\xA8 \xE5\xAE\xA4"
    "\xA8\xAB \xAD\xA0 \xA4\xA0\xAB\xEC\xAD\xA5\xA5 \xAE\xA7\xA5\xE0\xAE.\r\n"
    "\x8C\xA0\xAB\xEC\xE7\xA8\xAA \xE1\xAB\xE3\xE8\xA0\xAB \xAC\xAE\xAB\xE7\xA0, \xA0 \xAF\xAE"
    "\xE2\xAE\xAC \xE1\xAF\xE0\xAE\xE1\xA8\xAB, \xA2\xAE\xA7\xEC\xAC\xF1\xE2 \xAB\xA8 \xA4\xA5"
    "\xA4 \xA5\xA3\xAE \xE1 \xE1\xAE\xA1\xAE\xA9 \xA7\xA0\xA2\xE2\xE0\xA0.";

// "АаБбВв...Яя" without Ё ё, in each code page.
const std::string kAlphabetWin =
    "\xC0\xE0\xC1\xE1\xC2\xE2\xC3\xE3\xC4\xE4\xC5\xE5\xC6\xE6\xC7\xE7\xC8\xE8\xC9\xE9\xCA\xEA"
    "\xCB\xEB\xCC\xEC\xCD\xED\xCE\xEE\xCF\xEF\xD0\xF0\xD1\xF1\xD2\xF2\xD3\xF3\xD4\xF4\xD5\xF5"
    "\xD6\xF6\xD7\xF7\xD8\xF8\xD9\xF9\xDA\xFA\xDB\xFB\xDC\xFC\xDD\xFD\xDE\xFE\xDF\xFF";
const std::string kAlphabetKoi =
    "\xE1\xC1\xE2\xC2\xF7\xD7\xE7\xC7\xE4\xC4\xE5\xC5\xF6\xD6\xFA\xDA\xE9\xC9\xEA\xCA\xEB\xCB"
    "\xEC\xCC\xED\xCD\xEE\xCE\xEF\xCF\xF0\xD0\xF2\xD2\xF3\xD3\xF4\xD4\xF5\xD5\xE6\xC6\xE8\xC8"
    "\xE3\xC3\xFE\xDE\xFB\xDB\xFD\xDD\xFF\xDF\xF9\xD9\xF8\xD8\xFC\xDC\xE0\xC0\xF1\xD1";
const std::string kAlphabetIso =
    "\xB0\xD0\xB1\xD1\xB2\xD2\xB3\xD3\xB4\xD4\xB5\xD5\xB6\xD6\xB7\xD7\xB8\xD8\xB9\xD9\xBA\xDA"
    "\xBB\xDB\xBC\xDC\xBD\xDD\xBE\xDE\xBF\xDF\xC0\xE0\xC1\xE1\xC2\xE2\xC3\xE3\xC4\xE4\xC5\xE5"
    "\xC6\xE6\xC7\xE7\xC8\xE8\xC9\xE9\xCA\xEA\xCB\xEB\xCC\xEC\xCD\xED\xCE\xEE\xCF\xEF";
const std::string kAlphabetDos =
    "\x80\xA0\x81\xA1\x82\xA2\x83\xA3\x84\xA4\x85\xA5\x86\xA6\x87\xA7\x88\xA8\x89\xA9\x8A\xAA"
    "\x8B\xAB\x8C\xAC\x8D\xAD\x8E\xAE\x8F\xAF\x90\xE0\x91\xE1\x92\xE2\x93\xE3\x94\xE4\x95\xE5"
    "\x96\xE6\x97\xE7\x98\xE8\x99\xE9\x9A\xEA\x9B\xEB\x9C\xEC\x9D\xED\x9E\xEE\x9F\xEF";

constexpr std::array<TrialPair, 12> kTrialOrder{{
    {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {2, 3}, {3, 0}, {3, 1}, {3, 2}}};

std::string Recode(std::string_view text, const RecodeMap& map) {
    std::string out(text);
    for (char& ch : out) ch = static_cast<char>(map[static_cast<unsigned char>(ch)]);
    return out;
}

// The score as x87 code computes it, written plainly; meaningful only where long double is the
// 80-bit type. The shares are typed in again here so that a slip in either copy shows.
constexpr bool kHaveX87LongDouble = LDBL_MANT_DIG == 64;
constexpr std::array<float, 64> kExpectedShares{
    0.001f, 0, 0.002f, 0, 0.001f, 0.001f, 0, 0, 0.001f, 0, 0.001f, 0, 0.001f, 0.001f, 0.001f, 0.002f,
    0.002f, 0.001f, 0.001f, 0, 0, 0, 0, 0.001f, 0.001f, 0, 0, 0, 0, 0.001f, 0, 0,
    0.057f, 0.01f, 0.031f, 0.011f, 0.021f, 0.067f, 0.007f, 0.013f,
    0.052f, 0.011f, 0.023f, 0.03f, 0.024f, 0.043f, 0.075f, 0.026f,
    0.038f, 0.034f, 0.046f, 0.016f, 0.001f, 0.006f, 0.002f, 0.011f,
    0.004f, 0.004f, 0, 0.012f, 0.012f, 0.003f, 0.005f, 0.015f};

float ReferenceScore(const LetterCounts& counts, std::uint64_t n) {
    volatile float sum = 0.0f;  // kept in memory, so each addition is rounded to float
    for (int k = 0; k < 64; ++k) {
        const long double d = static_cast<long double>(counts[k]) / static_cast<long double>(n) -
                              kExpectedShares[k];
        sum = static_cast<float>(sum + d * d);
    }
    return sum;
}

float ReferenceScore(std::string_view text) {
    LetterCounts counts{};
    for (unsigned char b : text) {
        if (b >= 0xC0) ++counts[b - 0xC0];
    }
    return ReferenceScore(counts, text.size());
}

// Thirteen passes: the input, then each trial recoding a copy and scoring it.
std::array<float, 13> ReferenceScores(std::string_view text) {
    std::array<float, 13> scores{ReferenceScore(text)};
    for (int t = 0; t < 12; ++t) {
        RecodeMap map;
        for (int b = 0; b < 256; ++b) map[b] = static_cast<unsigned char>(b);
        const std::string_view to = LetterTableBytes(kTrialOrder[t].to);
        const std::string_view from = LetterTableBytes(kTrialOrder[t].from);
        for (int m = 0; m < 64; ++m) {
            map[static_cast<unsigned char>(from[m])] = static_cast<unsigned char>(to[m]);
        }
        scores[t + 1] = ReferenceScore(Recode(text, map));
    }
    return scores;
}

std::vector<TrialPair> BestTrials(std::string_view text) {
    const std::array<float, 13> scores = ReferenceScores(text);
    const float best = *std::min_element(scores.begin() + 1, scores.end());
    std::vector<TrialPair> tied;
    for (int t = 0; t < 12; ++t) {
        if (scores[t + 1] == best) tied.push_back(kTrialOrder[t]);
    }
    return tied;
}

TEST(CyrillicDetect, LetterTablesFollowTheCodePages) {
    EXPECT_EQ(LetterTableBytes(kWin).substr(0, 8), "\xC0\xE0\xC1\xE1\xC2\xE2\xC3\xE3");
    EXPECT_EQ(LetterTableBytes(kKoi).substr(0, 8), "\xFE\xDE\xE0\xC0\xE1\xC1\xF6\xD6");
    EXPECT_EQ(LetterTableBytes(kIso).substr(0, 8), "\xD0\xF0\xD1\xF1\xD2\xF2\xD3\xF3");
    EXPECT_EQ(LetterTableBytes(kDos).substr(0, 8), "\x80\xA0\x81\xA1\x82\xA2\x83\xA3");
    for (int table = 0; table < kLetterTableCount; ++table) {
        std::string sorted(LetterTableBytes(table));
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted.size(), 64u);
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "table " << table;
    }

    // Each code page's alphabet reads back into Windows-1251, and the reverse trials write it.
    EXPECT_EQ(Recode(kAlphabetKoi, MapForPair({kKoi, kWin})), kAlphabetWin);
    EXPECT_EQ(Recode(kAlphabetDos, MapForPair({kWin, kDos})), kAlphabetWin);
    EXPECT_EQ(Recode(kAlphabetWin, MapForPair({kWin, kKoi})), kAlphabetKoi);
    EXPECT_EQ(Recode(kAlphabetWin, MapForPair({kDos, kWin})), kAlphabetDos);
    const std::string fromIso = Recode(kAlphabetIso, MapForPair({kIso, kWin}));
    for (std::size_t m = 0; m < 64; ++m) {
        const bool capitalAtoP = m % 2 == 0 && m < 32;  // ISO 0xB0..0xBF, outside the iso table
        EXPECT_EQ(fromIso[m], capitalAtoP ? kAlphabetIso[m] : kAlphabetWin[m]) << "letter " << m;
    }
    // ISO 8859-5 row 0xF0..0xFF "№ёђѓєѕіїјљњћќ§ўџ" and the same in Windows-1251.
    EXPECT_EQ(Recode("\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF",
                     MapForPair({kIso, kWin})),
              "\xB9\xB8\x90\x83\xBA\xBE\xB3\xBF\xBC\x9A\x9C\x9E\x9D\xA7\xA2\x9F");
}

TEST(CyrillicDetect, ReadsKoi8rProseAsWindows1251) {
    std::string expected = kProseWin;
    std::replace(expected.begin(), expected.end(), '\xB8', '\xA3');  // ё is no table letter: KOI8-R's stays
    EXPECT_EQ(CodePageDetect(kProseKoi), expected);
}

TEST(CyrillicDetect, ReadsIso88595ProseButLeavesCapitalsAtoP) {
    std::string expected = kProseWin;
    std::replace(expected.begin(), expected.end(), '\xCC', '\xBC');  // М, the paragraph's one capital in А..П
    EXPECT_EQ(CodePageDetect(kProseIso), expected);
}

TEST(CyrillicDetect, ReadsCp866ProseButLeavesYo) {
    std::string expected = kProseWin;
    std::replace(expected.begin(), expected.end(), '\xB8', '\xF1');  // CP866 ё stays, reading as с
    EXPECT_EQ(CodePageDetect(kProseDos), expected);
}

TEST(CyrillicDetect, LeavesWindows1251AndLatinTextAlone) {
    EXPECT_EQ(CodePageDetect(kProseWin), kProseWin);
    const std::string latin = "Paste me: {1, 2, 3} & <tags>\r\n\tno Cyrillic here!";
    EXPECT_EQ(CodePageDetect(latin), latin);
    // Every trial scores Latin text alike; only a strict comparison keeps the input's choice.
    EXPECT_EQ(ChooseTrial(CountBytes(latin), latin.size()), TrialPair{});
}

TEST(CyrillicDetect, EmptyTextStaysEmpty) {
    EXPECT_EQ(CodePageDetect(""), "");
    EXPECT_EQ(ChooseTrial(ByteCounts{}, 0), TrialPair{});
}

TEST(CyrillicDetect, TieWithTheInputKeepsTheInput) {
    // "в молодости ходил на дальнее оз", a selection cut mid-word, in Windows-1251; read as
    // Windows-1251 written into CP866 it scores exactly as it stands.
    const std::string text = "\xE2 \xEC\xEE\xEB\xEE\xE4\xEE\xF1\xF2\xE8 \xF5\xEE\xE4\xE8\xEB \xED\xE0 "
                             "\xE4\xE0\xEB\xFC\xED\xE5\xE5 \xEE\xE7";
    if (kHaveX87LongDouble) {
        ASSERT_EQ(BestTrials(text), (std::vector<TrialPair>{{kDos, kWin}}));
        ASSERT_EQ(ReferenceScores(text)[0], ReferenceScore(Recode(text, MapForPair({kDos, kWin}))));
    }
    EXPECT_EQ(ChooseTrial(CountBytes(text), text.size()), TrialPair{});
    EXPECT_EQ(CodePageDetect(text), text);
}

TEST(CyrillicDetect, EarliestOfTiedTrialsWins) {
    // "дед его" in Windows-1251 is too short to read: four trials tie, better than the input,
    // and the outer loop over `to` puts (2, 3) first.
    const std::string text = "\xE4\xE5\xE4 \xE5\xE3\xEE";
    if (kHaveX87LongDouble) {
        ASSERT_EQ(BestTrials(text), (std::vector<TrialPair>{{2, 3}, {3, 0}, {3, 1}, {3, 2}}));
    }
    EXPECT_EQ(ChooseTrial(CountBytes(text), text.size()), (TrialPair{kIso, kDos}));
    EXPECT_EQ(CodePageDetect(text), Recode(text, MapForPair({kIso, kDos})));
}

// Counts where a double-precision evaluation rounds the float sum differently from x87 code;
// the expected scores are what x87 code gives.
struct HardScore {
    LetterCounts counts;
    std::uint64_t n;
    float x87;
    float doubleOnly;
};
const HardScore kHardScores[] = {
    {{1109, 8, 2216, 12, 1104, 1106, 5, 7, 1112, 11, 1103, 2, 1107, 1109, 1111, 2216,
      2218, 1104, 1106, 5, 7, 9, 11, 1103, 1105, 4, 6, 8, 10, 1115, 1, 3,
      62878, 11037, 34203, 12144, 23164, 73905, 7725, 14345, 57366, 12143, 25382, 33092, 26476, 47436,
      82735, 28688, 41926, 37503, 50742, 17653, 1109, 6626, 2216, 12145, 4413, 4415, 5, 13243, 13245,
      3320, 5515, 21617},
     1002761, 0x1.54476ep-12f, 0x1.54476cp-12f},
    {{1114, 9, 2225, 0, 1109, 1111, 6, 8, 1117, 12, 1108, 3, 1112, 1114, 1116, 2225,
      2214, 1109, 1111, 6, 8, 10, 12, 1108, 1110, 5, 7, 9, 11, 1107, 2, 4,
      63112, 11079, 34331, 12190, 23251, 74181, 7755, 14400, 57580, 12189, 25464, 33216, 26575, 47613,
      83043, 28795, 42083, 37643, 50931, 17719, 1114, 6652, 2225, 12178, 4431, 4433, 6, 13294, 13296,
      3333, 5537, 29359},
     1006480, 0x1.f9cdb2p-12f, 0x1.f9cdbp-12f},
};

float DoubleOnlyScore(const LetterCounts& counts, std::uint64_t n) {
    volatile float sum = 0.0f;
    for (int k = 0; k < 64; ++k) {
        const double d = static_cast<double>(counts[k]) / static_cast<double>(n) - kExpectedShares[k];
        sum = static_cast<float>(sum + d * d);
    }
    return sum;
}

TEST(CyrillicDetectScore, RoundsAsX87WhereDoubleWouldNot) {
    for (const HardScore& h : kHardScores) {
        EXPECT_EQ(LetterScore(h.counts, h.n), h.x87);
        if (kHaveX87LongDouble) {
            EXPECT_EQ(ReferenceScore(h.counts, h.n), h.x87);
        }
        if (FLT_EVAL_METHOD == 0) {  // proves the case would catch a double-only evaluation
            EXPECT_EQ(DoubleOnlyScore(h.counts, h.n), h.doubleOnly);
        }
    }
}

TEST(CyrillicDetectScore, ResolvesHalfStepsAsX87Does) {
    // А sets the sum; one more letter's term then brings it within a hair of half a float step,
    // where the last bit of that term's quotient, difference or square, or rounding the sum to
    // 64 bits before the float, decides the way it goes. Each comment gives the float a
    // computation would reach without that rounding.
    struct Case { std::uint64_t n, countA; int k; std::uint64_t countK; float x87; };
    const Case cases[] = {
        {4948895168230528769u, 2731047798588017301u, 1, 604113179715366u, 0x1.53b188p-2f},  // ...86
        {6202104224684417225u, 3242770193876247546u, 46, 1059948404921675u, 0x1.33cff6p-2f},  // ...f4
        {5104652009952236859u, 2857073729970266969u, 46, 872392265530559u, 0x1.5c9614p-2f},  // ...12
        {std::uint64_t{1} << 63, 5054000000000000000u, 1, (std::uint64_t{1} << 50) - 1,
         0x1.4f50d8p-2f},  // ...d6
    };
    for (const Case& c : cases) {
        LetterCounts counts{};
        counts[0] = c.countA;
        counts[c.k] = c.countK;
        EXPECT_EQ(LetterScore(counts, c.n), c.x87) << "n " << c.n;
        if (kHaveX87LongDouble) {
            EXPECT_EQ(ReferenceScore(counts, c.n), c.x87) << "n " << c.n;
        }
    }
}

TEST(CyrillicDetectScore, TinyScoresRoundToTheFloatGrid) {
    // With n a multiple of 2^33 every share is an exact count/n; single stray bytes then leave
    // sums below 2^-126, where floats lose bits.
    const std::uint64_t n = std::uint64_t{3} << 62;
    LetterCounts counts{};
    for (int k = 0; k < 64; ++k) {
        counts[k] = static_cast<std::uint64_t>(std::ldexp(kExpectedShares[k], 62)) * 3;
    }
    EXPECT_EQ(LetterScore(counts, n), 0.0f);
    counts[1] = 1;
    EXPECT_EQ(LetterScore(counts, n), 0x1.c71c7p-128f);
    counts[3] = 1;
    counts[63] += 1;
    EXPECT_EQ(LetterScore(counts, n), 0x1.547238p-126f);
    counts[7] = 2;
    EXPECT_EQ(LetterScore(counts, n), 0x1.8dc754p-125f);
}

TEST(CyrillicDetectScore, MatchesX87OnRandomCounts) {
    if (!kHaveX87LongDouble) GTEST_SKIP() << "long double here is not the x87 80-bit type";
    std::mt19937_64 random(20240611);
    for (int round = 0; round < 30000; ++round) {
        const int bits = 1 + static_cast<int>(random() % 64);
        const std::uint64_t n = (bits == 64 ? random() : random() & ((std::uint64_t{1} << bits) - 1)) | 1;
        LetterCounts counts{};
        for (int k = 0; k < 64; ++k) {
            const auto nearShare = static_cast<std::uint64_t>(kExpectedShares[k] * static_cast<long double>(n));
            switch (random() % 5) {
            case 0: counts[k] = 0; break;
            case 1: counts[k] = nearShare + random() % 5; break;
            case 2: counts[k] = random() % (n / 16 + 1); break;
            case 3: counts[k] = random() % (n + 1); break;
            default: counts[k] = random(); break;  // no text has these, but the function takes them
            }
        }
        ASSERT_EQ(LetterScore(counts, n), ReferenceScore(counts, n)) << "n " << n << " round " << round;
    }
}

TEST(CyrillicDetect, ChoosesAsThirteenPlainPassesDo) {
    if (!kHaveX87LongDouble) GTEST_SKIP() << "long double here is not the x87 80-bit type";
    // Pieces of real prose in all four code pages: short ones tie often, long ones are read.
    std::mt19937 random(7);
    int ties = 0;
    for (const std::string* prose : {&kProseWin, &kProseKoi, &kProseIso, &kProseDos}) {
        for (int round = 0; round < 1500; ++round) {
            const std::size_t start = random() % prose->size();
            const std::string text = prose->substr(start, 1 + random() % (prose->size() - start));
            const std::array<float, 13> scores = ReferenceScores(text);
            const auto best = std::min_element(scores.begin(), scores.end());
            ties += std::count(best + 1, scores.end(), *best) > 0;
            const TrialPair chosen =
                best == scores.begin() ? TrialPair{} : kTrialOrder[best - scores.begin() - 1];
            ASSERT_EQ(ChooseTrial(CountBytes(text), text.size()), chosen)
                << "start " << start << " length " << text.size();
        }
    }
    EXPECT_GT(ties, 100);  // the sample must exercise the tie rules
}

}  // namespace
}  // namespace tavrik::editor
