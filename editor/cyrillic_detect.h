// Guesses which Cyrillic code page a pasted text is in and recodes it to Windows-1251.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrik::editor {

// The four letter tables, numbered as the trials name them.
enum LetterTable : int { kWin = 0, kKoi = 1, kIso = 2, kDos = 3 };
inline constexpr int kLetterTableCount = 4;
inline constexpr int kLetterCount = 64;

using ByteCounts = std::array<std::uint64_t, 256>;
using LetterCounts = std::array<std::uint64_t, kLetterCount>;  // of codes 0xC0 + k
using RecodeMap = std::array<unsigned char, 256>;

// A trial replaces each byte of table `from` by the byte at the same place in table `to`, so
// {kKoi, kWin} reads KOI8-R into Windows-1251 and {kWin, kDos} CP866. {kWin, kWin} recodes nothing.
struct TrialPair {
    int to = kWin;
    int from = kWin;
    friend bool operator==(TrialPair, TrialPair) = default;
};

// 64 bytes: capitals at even, small letters at odd positions.
std::string_view LetterTableBytes(int table);
RecodeMap MapForPair(TrialPair pair);
ByteCounts CountBytes(std::string_view text);

// Distance of a text of n > 0 bytes from Russian text in Windows-1251; smaller is better.
float LetterScore(const LetterCounts& counts, std::uint64_t n);
TrialPair ChooseTrial(const ByteCounts& counts, std::uint64_t n);

// The text recoded by the best trial, or unchanged. Taken by value: a caller done with its text
// moves it in, and a megabyte of clipboard text is then neither copied nor allocated again.
std::string CodePageDetect(std::string text);

}  // namespace tavrik::editor
