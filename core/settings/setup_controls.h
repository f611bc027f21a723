#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "core/chime/chime.h"
#include "core/config/clock_settings.h"
#include "core/config/quiet_hours.h"

namespace tockbell {

// The Setup page as its controls show it. The dialog's data exchange moves these values between the
// controls and `ClockSettings`; the page's rules change them. A front end maps each field onto one
// control and back, and runs the rules on what it read.
struct SetupControls {
    // Check boxes.
    bool soundOn = false;       // "Striking and voices"
    bool multistrike = false;   // "Multistrike hours"
    bool strikeHalf = false;    // "Strike half hour"
    bool voiceHours = false;    // "Voice hours"
    bool voiceHalf = false;     // "Voice half hours"
    bool swapAmPm = false;      // "Switch AM/PM"
    bool iconHidden = false;    // "Hide icon"
    bool closeProgram = false;  // "Close Tockbell"
    bool uninstall = false;     // "Uninstall Tockbell"
    // Enabled states: "Multistrike hours", "Strike half hour" and "Voice hours" go together.
    bool strikeOptionsEnabled = true;
    bool voiceHalfEnabled = true;
    int volumeDivisor = kDefaultVolumeDivisor;  // the slider's position, kMinVolumeDivisor at the top
    std::string zoneText;                       // "Time zones and comments", one line per zone
    // "Quiet hours" and its two times, minutes of the day; the times are greyed while it is off.
    bool quietOn = false;
    int quietFrom = QuietHours{}.from;
    int quietTo = QuietHours{}.to;
    bool quietTimesEnabled = false;
    friend bool operator==(const SetupControls&, const SetupControls&) = default;
};

// The seven stored options as the boxes show them: bits 0 to 6 of the flags word.
std::uint32_t OptionBits(const SetupControls& controls);
// Sets the boxes of the seven options from a flags word.
void SetOptionBoxes(SetupControls& controls, std::uint32_t flags);

// The slider's range: the loudest at the top.
inline constexpr int kMinVolumeDivisor = 1;
inline constexpr int kMaxVolumeDivisor = 8;

// "Striking and voices" as it now stands: the four boxes below it follow it, and at once, before OK,
// turning it off asks whatever sounds to stop (turning it on withdraws that request).
void ApplySoundSwitch(SetupControls& controls, std::atomic<std::uint32_t>& flags);
// Sets "Striking and voices" from outside (the data exchange, "Be silent" in the tray menu).
void SetSoundSwitch(SetupControls& controls, bool on, std::atomic<std::uint32_t>& flags);

// A click on "Quiet hours": the times "from" and "to" are chosen only with it.
void ApplyQuietRule(SetupControls& controls);

// A click on "Voice hours": "Voice half hours" is enabled only with it, and starts unchecked.
void ApplyVoiceRule(SetupControls& controls);

// The boxes whose clicks keep "Uninstall Tockbell" together with "Hide icon" and "Close Tockbell".
enum class UninstallRuleBox { HideIcon, CloseProgram, Uninstall };
// A click on one of them: uninstalling hides the icon and closes the program; unchecking either of
// those withdraws the uninstall.
void ApplyUninstallRule(SetupControls& controls, UninstallRuleBox clicked);

// The two test buttons: "Test 2:00" strikes two in the morning, "Test 17:30" the half hour after
// five in the afternoon.
struct ChimeTest {
    int hour;
    bool halfHour;
    bool afternoon;
};
inline constexpr ChimeTest kTestTwoOClock{2, false, false};
inline constexpr ChimeTest kTestHalfPastFive{5, true, true};

// What a test button asks of the chime: the options and the volume as the page shows them now, not
// as stored. None while "Striking and voices" is off.
struct ChimeRequest {
    int hour = 0;
    bool halfHour = false;
    bool afternoon = false;
    std::uint32_t options = 0;
    int divisor = 0;
    friend bool operator==(const ChimeRequest&, const ChimeRequest&) = default;
};
std::optional<ChimeRequest> TestChimeRequest(const SetupControls& controls, const ChimeTest& test);

// A test button's click: starts that chime, if any. Nothing is saved.
void TestChime(SoundServices& sounds, const SetupControls& controls, const ChimeTest& test);

}  // namespace tockbell
