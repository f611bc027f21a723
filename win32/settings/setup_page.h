#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "core/chime/chime.h"
#include "core/settings/setup_controls.h"
#include "win32/settings/settings_page.h"

namespace tockbell {

// The Setup page (template 130): its rules run on the core's description of its controls, which
// setup_page_controls moves to and from the controls.
class CSetupPage : public CSettingsPage {
public:
    // `flags` is the settings' word, on which the sound switch acts at once; the test buttons play
    // through `sounds`.
    CSetupPage(CSettingsDlg& dialog, std::atomic<std::uint32_t>& flags, SoundServices& sounds)
        : CSettingsPage(dialog), flags_(flags), sounds_(sounds) {}

    // The controls' ranges and lists, then the values of `controls`.
    void Load(const SetupControls& controls);
    SetupControls Read() const;
    // Sets "Striking and voices" and applies it.
    void SetSoundSwitch(bool on);

private:
    std::optional<LRESULT> PageProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSoundSwitch();
    void OnVoiceHours();
    void OnQuietHours();
    void OnHideIcon();
    void OnCloseProgram();
    void OnUninstall();
    void OnTestTwo();
    void OnTestHalfPastFive();

    // Reads the controls, lets `rule` change them and shows the result.
    template <class Rule>
    void Change(Rule rule);

    std::atomic<std::uint32_t>& flags_;
    SoundServices& sounds_;
};

}  // namespace tockbell
