// Every key of section Parameters with its default, read into one value.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tavrik::settings {

inline constexpr std::u16string_view kSectionParameters = u"Parameters";
inline constexpr std::u16string_view kSectionPages = u"Pages";
inline constexpr std::u16string_view kSettingsFileName = u"tavrik.ini";

inline constexpr std::int32_t kDefaultHotKey = 145;  // Scroll Lock, no modifiers
inline constexpr std::int32_t kDefaultAutoSave = 5, kMaxAutoSave = 3600;

// The point sizes the rich-edit control takes; in twips (points x 20) they stay within 16 bits.
inline constexpr std::int32_t kMaxFontSize = 1638;
inline constexpr bool IsFontSize(std::int32_t points) { return points >= 1 && points <= kMaxFontSize; }

// Every member is a key of section Parameters; the values a file without it gives are in the
// table of keys, which the constructor applies.
struct Parameters {
    Parameters();

    std::u16string DefaultFontName;
    std::int32_t DefaultFontSize{};
    std::int32_t DefaultFontColor{};
    std::int32_t DefaultRichEditColor{};
    std::int32_t DefaultFontStyle{};
    std::int32_t MainLeft{};
    std::int32_t MainTop{};
    std::int32_t MainHeight{};
    std::int32_t MainWidth{};
    std::int32_t Style{};
    bool Multitabs{};
    bool OnTop{};
    bool Plain{};
    bool NoTransparency{};
    std::int32_t MaxTransparency{};
    bool ShowCool{};
    std::int32_t FadeSpeed{};
    bool AutoHide{};
    std::int32_t HideTimeout{};
    bool AutoStart{};
    bool CloseAsMinimize{};
    bool ShowTrayIcon{};
    std::int32_t Language{};
    std::u16string SaveTo;    // with its trailing backslash
    std::u16string LastSave;  // with its trailing backslash
    bool AutoTab{};
    bool AutoDecode{};
    bool CatchClipboard{};
    std::int32_t StartPage{};  // the tab shown at the last exit
    std::int32_t HotKey{};
    std::int32_t AutoSave{};  // seconds of quiet before a changed page is written; 0: never
    std::int32_t Versions{};  // earlier files kept per page; 0 keeps none
    bool ShowOnMouseMonitor{};  // each show puts the window on the monitor under the mouse pointer
    bool SpellCheck{};        // underline misspelt words where the system's rich edit can
    std::u16string NoCatchFrom;  // programs whose copies are never caught: file names, ';' between
    std::int32_t Theme{};     // 0 as Windows, 1 light, 2 dark (ui::ThemeChoice)
};

enum class ParameterKind { Int, Bool, Text, Folder };
using ParameterMember = std::variant<std::int32_t Parameters::*, bool Parameters::*, std::u16string Parameters::*>;
using ParameterValue = std::variant<std::int32_t, bool, std::u16string_view>;

// One key of section Parameters. A folder's default is the program's folder; NoTransparency's
// depends on the Windows version (TranslucencyByDefault).
struct ParameterKey {
    std::u16string_view name;  // as tavrik.ini spells it when the key is new
    ParameterKind kind;
    ParameterValue byDefault;
    ParameterMember member;
};

// Every key, in the order the record declares them.
std::span<const ParameterKey> ParameterKeys();
// The key of a member of the record; every member has one.
const ParameterKey& KeyOf(const ParameterMember& member);

// The value as tavrik.ini holds it: integers in decimal, booleans as 1 and 0, text as it is.
std::u16string FormatParameter(const Parameters& p, const ParameterKey& key);
// The stored text into the member; a missing key or a value of the wrong kind leaves it as it was.
// A folder missing or empty becomes `programFolder`; folders keep a trailing backslash.
void ReadParameter(Parameters& p, const ParameterKey& key, const std::optional<std::u16string>& stored,
                   std::u16string_view programFolder);


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
