#include "core/app/tray_icon.h"

#include "core/config/clock_settings.h"

namespace tockbell {

bool TrayIcon::Shown() const {
    const std::uint32_t flags = flags_.load();
    return (flags & FLAG_ICON_CREATED) != 0 && (flags & FLAG_ICON_HIDDEN) == 0;
}

bool TrayIcon::Create() {
    flags_.fetch_or(FLAG_ICON_CREATED);
    shell_.Renew();
    if ((flags_.load() & FLAG_ICON_HIDDEN) != 0) return true;
    if (shell_.Add()) return true;
    flags_.fetch_and(~FLAG_ICON_CREATED);
    return false;
}

void TrayIcon::HideIcon() {
    if (!Shown()) return;
    shell_.Delete();
    flags_.fetch_or(FLAG_ICON_HIDDEN);
}

void TrayIcon::ShowIcon() {
    const std::uint32_t flags = flags_.load();
    if ((flags & FLAG_ICON_CREATED) == 0 || (flags & FLAG_ICON_HIDDEN) == 0) return;
    shell_.Add();
    flags_.fetch_and(~FLAG_ICON_HIDDEN);
}

void TrayIcon::RefreshIcon() {
    if (!Shown()) return;
    HideIcon();
    ShowIcon();
}

bool TrayIcon::RemoveIcon() {
    if ((flags_.load() & FLAG_ICON_CREATED) == 0) return false;
    shell_.Delete();
    flags_.fetch_and(~FLAG_ICON_CREATED);
    return true;
}

void TrayIcon::OnMinuteChanged() {
    if (!Shown()) return;
    shell_.Renew();
    shell_.Modify();
}

void TrayIcon::OnScaleChanged() { OnMinuteChanged(); }

void TrayIcon::OnShellRestarted() {
    if (!Shown()) return;
    shell_.Renew();
    shell_.Add();
}

}  // namespace tockbell
