#include "core/app/settings_opener.h"

#include "core/app/main_commands.h"

namespace tockbell {

bool SettingsOpener::Properties() {
    if (dialog_ == nullptr) return true;
    dialog_->BringForward();
    return false;
}

bool SettingsOpener::Closed(CloseRequest request) {
    dialog_ = nullptr;
    icon_.RefreshIcon();
    return request == CloseRequest::CloseProgram;
}

bool SettingsOpener::BeSilent() {
    const bool on = ToggleSound(flags_);
    if (dialog_ != nullptr) dialog_->SetSoundSwitch(on);
    return on;
}

}  // namespace tockbell
