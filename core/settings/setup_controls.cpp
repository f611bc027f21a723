#include "core/settings/setup_controls.h"

#include <array>
#include <utility>

namespace tockbell {

namespace {

// Which box shows which stored option.
constexpr std::array<std::pair<std::uint32_t, bool SetupControls::*>, 7> kOptionBoxes = {{
    {FLAG_SOUND_ON, &SetupControls::soundOn},
    {FLAG_MULTISTRIKE, &SetupControls::multistrike},
    {FLAG_STRIKE_HALF, &SetupControls::strikeHalf},
    {FLAG_VOICE_HOURS, &SetupControls::voiceHours},
    {FLAG_VOICE_HALF, &SetupControls::voiceHalf},
    {FLAG_ICON_HIDDEN, &SetupControls::iconHidden},
    {FLAG_SWAP_AMPM, &SetupControls::swapAmPm},
}};

}  // namespace

std::uint32_t OptionBits(const SetupControls& controls) {
    std::uint32_t bits = 0;
    for (const auto& [bit, box] : kOptionBoxes) {
        if (controls.*box) bits |= bit;
    }
    return bits;
}

void SetOptionBoxes(SetupControls& controls, std::uint32_t flags) {
    for (const auto& [bit, box] : kOptionBoxes) controls.*box = (flags & bit) != 0;
}

void ApplySoundSwitch(SetupControls& controls, std::atomic<std::uint32_t>& flags) {
    // "Voice half hours" follows the switch here, whatever "Voice hours" shows.
    controls.strikeOptionsEnabled = controls.soundOn;
    controls.voiceHalfEnabled = controls.soundOn;
    if (controls.soundOn) {
        flags.fetch_and(~FLAG_STOP_SOUND);
    } else {
        flags.fetch_or(FLAG_STOP_SOUND);
    }
}

void SetSoundSwitch(SetupControls& controls, bool on, std::atomic<std::uint32_t>& flags) {
    controls.soundOn = on;
    ApplySoundSwitch(controls, flags);
}

void ApplyQuietRule(SetupControls& controls) { controls.quietTimesEnabled = controls.quietOn; }

void ApplyVoiceRule(SetupControls& controls) {
    controls.voiceHalfEnabled = controls.voiceHours;
    controls.voiceHalf = false;
}

void ApplyUninstallRule(SetupControls& controls, UninstallRuleBox clicked) {
    switch (clicked) {
        case UninstallRuleBox::HideIcon:
            if (!controls.iconHidden) controls.uninstall = false;
            break;
        case UninstallRuleBox::CloseProgram:
            if (!controls.closeProgram) controls.uninstall = false;
            break;
        case UninstallRuleBox::Uninstall:
            if (controls.uninstall) controls.iconHidden = controls.closeProgram = true;
            break;
    }
}

std::optional<ChimeRequest> TestChimeRequest(const SetupControls& controls, const ChimeTest& test) {
    if (!controls.soundOn) return std::nullopt;
    // The chime's own switch and the icon are no options of a chime.
    const std::uint32_t options = OptionBits(controls) & ~(FLAG_SOUND_ON | FLAG_ICON_HIDDEN);
    return ChimeRequest{test.hour, test.halfHour, test.afternoon, options, controls.volumeDivisor};
}

void TestChime(SoundServices& sounds, const SetupControls& controls, const ChimeTest& test) {
    if (const std::optional<ChimeRequest> request = TestChimeRequest(controls, test)) {
        StartChime(sounds, request->hour, request->halfHour, request->afternoon, request->options, request->divisor);
    }
}

}  // namespace tockbell
