#include "core/settings/settings_exchange.h"

#include <algorithm>

#include "core/config/settings_file.h"
#include "core/settings/zone_lines.h"

namespace tockbell {

SetupControls SettingsExchange::Load() {
    SetupControls controls;
    SetOptionBoxes(controls, settings_.flags.load());
    ApplySoundSwitch(controls, settings_.flags);
    // The slider holds its position within its range; the file may hold 0 or 9.
    controls.volumeDivisor = std::clamp(settings_.volumeDivisor, kMinVolumeDivisor, kMaxVolumeDivisor);
    controls.zoneText = JoinZoneLines(settings_.zoneLines);
    const QuietHours quiet = settings_.quietHours.value_or(QuietHours{});
    controls.quietOn = quiet.on;
    controls.quietFrom = quiet.from;
    controls.quietTo = quiet.to;
    ApplyQuietRule(controls);
    return controls;
}

CloseRequest SettingsExchange::Store(const SetupControls& controls) {
    const std::uint32_t options = OptionBits(controls);
    const bool close = controls.closeProgram || controls.uninstall;

    if ((options & FLAG_ICON_HIDDEN) != 0) {
        icon_.HideIcon();
    } else {
        icon_.ShowIcon();
    }
    // Only this thread changes the option bits, so one exclusive-or from the present word replaces
    // them without touching a busy bit that a sound thread sets or clears meanwhile.
    settings_.flags.fetch_xor((settings_.flags.load() & kStoredFlagsMask) ^ options);
    if (controls.uninstall) settings_.flags.fetch_or(FLAG_UNINSTALL);
    settings_.volumeDivisor = controls.volumeDivisor;
    settings_.zoneLines = SplitZoneLines(controls.zoneText);
    const QuietHours quiet{controls.quietOn, controls.quietFrom, controls.quietTo};
    // A file without quiet hours gets them once they are chosen, not by every OK.
    if (settings_.quietHours || quiet != QuietHours{}) settings_.quietHours = quiet;
    if (store_) SaveSettings(*store_, settings_);
    return close ? CloseRequest::CloseProgram : CloseRequest::KeepRunning;
}

void SettingsExchange::Cancel() {
    if ((settings_.flags.load() & FLAG_SOUND_ON) != 0) {
        settings_.flags.fetch_and(~FLAG_STOP_SOUND);
    } else {
        settings_.flags.fetch_or(FLAG_STOP_SOUND);
    }
}

}  // namespace tockbell
