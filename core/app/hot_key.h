#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tockbell {

// A key with its modifiers, as the [Main] value "SayTimeKey" names the global key of "Say the time"
// on Windows: modifiers and the key joined by "+", such as "Ctrl+Alt+Shift+T". Modifiers are Ctrl,
// Alt, Shift and Win; the key a letter, a digit or F1 to F24. Letter case and blanks do not count.
struct HotKey {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    bool win = false;
    char letter = 0;   // 'A' to 'Z' or '0' to '9'; 0 for a function key
    int function = 0;  // 1 to 24 for F1 to F24
    friend bool operator==(const HotKey&, const HotKey&) = default;
};

inline constexpr std::string_view kSayTimeKeyName = "SayTimeKey";
// Ctrl+Alt+Shift+T ("T" for time): no common program or desktop takes it, and with Shift it is no
// AltGr character on European keyboards.
inline constexpr HotKey kDefaultSayTimeKey{true, true, true, false, 'T', 0};

// The key the value names; none for "none" (no global key). A missing or malformed value, or one
// without a modifier (it would take a key from typing), gives the default.
std::optional<HotKey> ParseHotKey(std::string_view value);

}  // namespace tockbell
