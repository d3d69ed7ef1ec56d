// Every key of section Parameters with its default, read into one value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrik::settings {

inline constexpr std::u16string_view kSectionParameters = u"Parameters";
inline constexpr std::u16string_view kSectionPages = u"Pages";
inline constexpr std::u16string_view kSettingsFileName = u"tavrik.ini";

inline constexpr std::int32_t kDefaultHotKey = 145;  // Scroll Lock, no modifiers
inline constexpr std::int32_t kDefaultAutoSave = 5, kMaxAutoSave = 3600;

// The point sizes the rich-edit control takes; in twips (points x 20) they stay within 16 bits.
inline constexpr std::int32_t kMaxFontSize = 1638;
inline constexpr bool IsFontSize(std::int32_t points) { return points >= 1 && points <= kMaxFontSize; }

struct Parameters {
    std::u16string DefaultFontName = u"MS Sans Serif";
    std::int32_t DefaultFontSize = 10;
    std::int32_t DefaultFontColor = 0;
    std::int32_t DefaultRichEditColor = 16777215;
    std::int32_t DefaultFontStyle = 0;
    std::int32_t MainLeft = 0;
    std::int32_t MainTop = 0;
    std::int32_t MainHeight = 143;
    std::int32_t MainWidth = 418;
    std::int32_t Style = 2;
    bool Multitabs = false;
    bool OnTop = true;
    bool Plain = false;
    bool NoTransparency = true;
    std::int32_t MaxTransparency = 255;
    bool ShowCool = true;
    std::int32_t FadeSpeed = 5;
    bool AutoHide = false;
    std::int32_t HideTimeout = 0;
    bool AutoStart = false;
    bool CloseAsMinimize = false;
    bool ShowTrayIcon = true;
    std::int32_t Language = 1;
    std::u16string SaveTo;    // with its trailing backslash
    std::u16string LastSave;  // with its trailing backslash
    bool AutoTab = false;
    bool AutoDecode = false;
    bool CatchClipboard = false;
    std::int32_t HotKey = kDefaultHotKey;
    std::int32_t AutoSave = kDefaultAutoSave;  // seconds of quiet before a changed page is written; 0: never
    std::int32_t Versions = 20;  // earlier files kept per page; 0 keeps none
};

// Where the values come from: a missing key gives nullopt.
class ParameterSource {
public:
    virtual std::optional<std::u16string> Read(std::u16string_view key) const = 0;

protected:
    ~ParameterSource() = default;
};

// Translucency is offered, and on by default, from Windows 2000 on.
bool TranslucencyByDefault(int osVersion);

// Reads every key with its default; the defaults of NoTransparency and of both folders depend on
// the Windows version and on the program's folder.
Parameters ReadParameters(const ParameterSource& source, int osVersion, std::u16string_view programFolder);

}  // namespace tavrik::settings
