// Times the code page detection on 1 MB of Russian prose against one plain byte-count pass.
// Pass --check to exit with 1 when a ratio is over its target.
#include "editor/cyrillic_detect.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace {

using tavrik::editor::CodePageDetect;

// "Вечером в маленьком городе зажигались фонари, и на площади собирались люди. Одни говорили
//  о погоде и урожае, другие спорили о новостях из столицы.
//  Дети бегали вокруг старого фонтана, пока матери не звали их домой ужинать." (iconv)
constexpr std::string_view kProseWin =
    "\xC2\xE5\xF7\xE5\xF0\xEE\xEC \xE2 \xEC\xE0\xEB\xE5\xED\xFC\xEA\xEE\xEC \xE3\xEE\xF0\xEE"
    "\xE4\xE5 \xE7\xE0\xE6\xE8\xE3\xE0\xEB\xE8\xF1\xFC \xF4\xEE\xED\xE0\xF0\xE8, \xE8 \xED\xE0 "
    "\xEF\xEB\xEE\xF9\xE0\xE4\xE8 \xF1\xEE\xE1\xE8\xF0\xE0\xEB\xE8\xF1\xFC \xEB\xFE\xE4\xE8. "
    "\xCE\xE4\xED\xE8 \xE3\xEE\xE2\xEE\xF0\xE8\xEB\xE8 \xEE \xEF\xEE\xE3\xEE\xE4\xE5 \xE8 \xF3"
    "\xF0\xEE\xE6\xE0\xE5, \xE4\xF0\xF3\xE3\xE8\xE5 \xF1\xEF\xEE\xF0\xE8\xEB\xE8 \xEE \xED\xEE"
    "\xE2\xEE\xF1\xF2\xFF\xF5 \xE8\xE7 \xF1\xF2\xEE\xEB\xE8\xF6\xFB.\r\n"
    "\xC4\xE5\xF2\xE8 \xE1\xE5\xE3\xE0\xEB\xE8 \xE2\xEE\xEA\xF0\xF3\xE3 \xF1\xF2\xE0\xF0\xEE"
    "\xE3\xEE \xF4\xEE\xED\xF2\xE0\xED\xE0, \xEF\xEE\xEA\xE0 \xEC\xE0\xF2\xE5\xF0\xE8 \xED\xE5 "
    "\xE7\xE2\xE0\xEB\xE8 \xE8\xF5 \xE4\xEE\xEC\xEE\xE9 \xF3\xE6\xE8\xED\xE0\xF2\xFC.\r\n";
constexpr std::string_view kProseKoi =  // the same in KOI8-R
    "\xF7\xC5\xDE\xC5\xD2\xCF\xCD \xD7 \xCD\xC1\xCC\xC5\xCE\xD8\xCB\xCF\xCD \xC7\xCF\xD2\xCF"
    "\xC4\xC5 \xDA\xC1\xD6\xC9\xC7\xC1\xCC\xC9\xD3\xD8 \xC6\xCF\xCE\xC1\xD2\xC9, \xC9 \xCE\xC1 "
    "\xD0\xCC\xCF\xDD\xC1\xC4\xC9 \xD3\xCF\xC2\xC9\xD2\xC1\xCC\xC9\xD3\xD8 \xCC\xC0\xC4\xC9. "
    "\xEF\xC4\xCE\xC9 \xC7\xCF\xD7\xCF\xD2\xC9\xCC\xC9 \xCF \xD0\xCF\xC7\xCF\xC4\xC5 \xC9 \xD5"
    "\xD2\xCF\xD6\xC1\xC5, \xC4\xD2\xD5\xC7\xC9\xC5 \xD3\xD0\xCF\xD2\xC9\xCC\xC9 \xCF \xCE\xCF"
    "\xD7\xCF\xD3\xD4\xD1\xC8 \xC9\xDA \xD3\xD4\xCF\xCC\xC9\xC3\xD9.\r\n"
    "\xE4\xC5\xD4\xC9 \xC2\xC5\xC7\xC1\xCC\xC9 \xD7\xCF\xCB\xD2\xD5\xC7 \xD3\xD4\xC1\xD2\xCF"
    "\xC7\xCF \xC6\xCF\xCE\xD4\xC1\xCE\xC1, \xD0\xCF\xCB\xC1 \xCD\xC1\xD4\xC5\xD2\xC9 \xCE\xC5 "
    "\xDA\xD7\xC1\xCC\xC9 \xC9\xC8 \xC4\xCF\xCD\xCF\xCA \xD5\xD6\xC9\xCE\xC1\xD4\xD8.\r\n";

constexpr std::size_t kTextSize = std::size_t{1} << 20;
constexpr int kRuns = 40;
constexpr double kKeptTarget = 1.5;
constexpr double kRecodedTarget = 2.5;

std::string Repeat(std::string_view piece, std::size_t size) {
    std::string text;
    text.reserve(size + piece.size());
    while (text.size() < size) text.append(piece);
    text.resize(size);
    return text;
}

volatile std::uint64_t gSink;  // keeps the timed work from being optimised away

// The floor: the plainest loop that counts every byte once.
double PlainHistogramMicroseconds(const std::string& text) {
    const auto start = std::chrono::steady_clock::now();
    std::array<std::uint64_t, 256> counts{};
    for (unsigned char b : text) ++counts[b];
    const auto stop = std::chrono::steady_clock::now();
    gSink = gSink + counts[0xEE];
    return std::chrono::duration<double, std::micro>(stop - start).count();
}

// As Paste calls it: the clipboard's text is moved in, so only the detection is timed.
double DetectMicroseconds(const std::string& text) {
    std::string input = text;
    const auto start = std::chrono::steady_clock::now();
    const std::string result = CodePageDetect(std::move(input));
    const auto stop = std::chrono::steady_clock::now();
    gSink = gSink + static_cast<unsigned char>(result[result.size() / 2]);
    return std::chrono::duration<double, std::micro>(stop - start).count();
}

double BestMicroseconds(double (*timed)(const std::string&), const std::string& text) {
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) best = std::min(best, timed(text));
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
    const std::string win = Repeat(kProseWin, kTextSize);
    const std::string koi = Repeat(kProseKoi, kTextSize);
    if (CodePageDetect(win) != win || CodePageDetect(koi) != win) {
        std::fprintf(stderr, "detection gave the wrong text; timings would mean nothing\n");
        return 2;
    }

    // Interleaved, so that a slow spell on a shared machine hits all three alike.
    double histogram = 1e300, kept = 1e300, recoded = 1e300;
    for (int round = 0; round < 3; ++round) {
        histogram = std::min(histogram, BestMicroseconds(PlainHistogramMicroseconds, win));
        kept = std::min(kept, BestMicroseconds(DetectMicroseconds, win));
        recoded = std::min(recoded, BestMicroseconds(DetectMicroseconds, koi));
    }

    const double keptRatio = kept / histogram;
    const double recodedRatio = recoded / histogram;
    std::printf("text: %zu bytes, best of %d runs x 3 rounds\n", kTextSize, kRuns);
    std::printf("plain byte histogram      %9.1f us\n", histogram);
    std::printf("detection, text kept      %9.1f us  ratio %.2f (target <= %.1f)\n", kept, keptRatio,
                kKeptTarget);
    std::printf("detection, text recoded   %9.1f us  ratio %.2f (target <= %.1f)\n", recoded, recodedRatio,
                kRecodedTarget);
    const bool met = keptRatio <= kKeptTarget && recodedRatio <= kRecodedTarget;
    std::printf("%s\n", met ? "targets met" : "OVER TARGET");
    return check && !met ? 1 : 0;
}
