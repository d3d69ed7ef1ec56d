// Times the page text reader on about 10 MB of formatted rich text against a floor: one pass that
// widens every byte of the same file to UTF-16. Exits with 1 over 60 times the floor's time.
#include "search/text_reader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kFileSize = 10u << 20;
constexpr int kRuns = 15;
// The reader's time against one pass that widens every byte (40 times it here, 314 MB/s).
constexpr double kTarget = 60.0;

// A page as the control writes it: a font and colour table, then paragraphs in bold, italic,
// sizes and colours, Russian in \'hh, English, and characters beyond the code page in \u.
std::string MakePage() {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\nouicompat\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}"
        "{\\f1\\fnil\\fcharset0 Calibri;}{\\f2\\fswiss\\fcharset238 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green112\\blue192;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n";
    // "Вечером в маленьком городе зажигались фонари" and "люди" in Windows-1251.
    const std::string_view russian =
        "\\'c2\\'e5\\'f7\\'e5\\'f0\\'ee\\'ec \\'e2 \\'ec\\'e0\\'eb\\'e5\\'ed\\'fc\\'ea\\'ee\\'ec "
        "\\'e3\\'ee\\'f0\\'ee\\'e4\\'e5 \\'e7\\'e0\\'e6\\'e8\\'e3\\'e0\\'eb\\'e8\\'f1\\'fc "
        "\\'f4\\'ee\\'ed\\'e0\\'f0\\'e8";
    const std::string_view people = "\\'eb\\'fe\\'e4\\'e8";
    for (int n = 0; rtf.size() < kFileSize; ++n) {
        rtf += "\\pard\\sa200\\sl276\\slmult1\\cf1\\b\\f0\\fs22\\lang1049 ";
        rtf += russian;
        rtf += "\\cf0\\b0 , ";
        rtf += people;
        rtf += ". \\f1\\lang1033\\i The quick brown fox jumps over the lazy dog\\i0  ";
        rtf += std::to_string(n);
        rtf += "\\fs28\\cf2 \\u8364?\\u8470?\\u-10179?\\u-8704? \\ul Note\\ulnone\\fs22 , ";
        rtf += "\\f2\\lang1045 \\'a3\\'f3d\\'9f\\f0 \\tab end.\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}

volatile std::size_t gSink;  // keeps the timed work from being optimised away

double FloorSeconds(const std::string& rtf) {
    std::u16string wide(rtf.size(), u'\0');
    const auto start = std::chrono::steady_clock::now();
    std::copy(rtf.begin(), rtf.end(), wide.begin());
    const auto stop = std::chrono::steady_clock::now();
    gSink = gSink + wide[wide.size() / 2];
    return std::chrono::duration<double>(stop - start).count();
}

double ReaderSeconds(const std::string& rtf) {
    const auto start = std::chrono::steady_clock::now();
    const std::u16string text = tavrik::search::ReadPageText(rtf, false, 1251);
    const auto stop = std::chrono::steady_clock::now();
    gSink = gSink + text.size();
    return std::chrono::duration<double>(stop - start).count();
}

}  // namespace

int main() {
    const std::string rtf = MakePage();
    const std::u16string text = tavrik::search::ReadPageText(rtf, false, 1251);
    if (text.find(u"Вечером в маленьком городе зажигались фонари, люди. The quick brown fox") ==
            std::u16string::npos ||
        text.find(u"€№\U0001F600 Note, Łódź\tend.\r") == std::u16string::npos) {
        std::fprintf(stderr, "the reader gave the wrong text; timings would mean nothing\n");
        return 2;
    }

    // Interleaved, so that a slow spell on a shared machine hits both alike.
    double floor = 1e300, reader = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        floor = std::min(floor, FloorSeconds(rtf));
        reader = std::min(reader, ReaderSeconds(rtf));
    }
    const double megabytes = static_cast<double>(rtf.size()) / (1 << 20);
    const double readerMBps = megabytes / reader;
    std::printf("rich text: %zu bytes, %zu characters of text, best of %d runs\n", rtf.size(), text.size(), kRuns);
    std::printf("floor: widen every byte   %8.1f MB/s\n", megabytes / floor);
    std::printf("page text reader          %8.1f MB/s  %.1f x the floor's time (at most %.0f)\n",
                readerMBps, reader / floor, kTarget);
    const bool met = reader / floor <= kTarget;
    std::printf("%s\n", met ? "target met" : "UNDER TARGET");
    return met ? 0 : 1;
}
