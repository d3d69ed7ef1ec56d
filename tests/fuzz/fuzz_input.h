// How the fuzz targets turn their bytes into the text the program would have read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tavrik::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A file with a UTF-16 byte order mark as it is stored; any other as Latin-1, which stands in for
// the code page conversion that only Windows has and keeps every byte a character of its own.
inline std::u16string Text(std::string_view bytes) {
    std::u16string text;
    const bool little = bytes.substr(0, 2) == "\xFF\xFE", big = bytes.substr(0, 2) == "\xFE\xFF";
    if (little || big) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
            text += static_cast<char16_t>(big ? (first << 8) | second : (second << 8) | first);
        }
        return text;
    }
    for (const char c : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(c));
    return text;
}

// A broken promise ends the run as a crash, so libFuzzer keeps the input.
inline void Expect(bool condition) {
    if (!condition) std::abort();
}

}  // namespace tavrik::fuzz
