#pragma once

#include <atomic>
#include <cstdint>

namespace tockbell {

// What the tray icon needs of the shell; the calls map to NIM_ADD, NIM_MODIFY and NIM_DELETE of
// one icon record, whose image and tooltip `Renew` makes afresh for the current time.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual bool Add() = 0;
    virtual bool Modify() = 0;
    virtual bool Delete() = 0;
    virtual void Renew() = 0;
};

// When the icon is in the tray: the rules over FLAG_ICON_CREATED and FLAG_ICON_HIDDEN.
class TrayIcon {
public:
    TrayIcon(std::atomic<std::uint32_t>& flags, TrayShell& shell) : flags_(flags), shell_(shell) {}

    // The first showing; false when the shell refuses the icon (a hidden icon is not added).
    bool Create();
    void HideIcon();
    void ShowIcon();
    // Out of the tray and back in: a shown icon stays shown, a hidden one hidden.
    void RefreshIcon();
    // At the end: out of the tray for good. True when the icon had been created.
    bool RemoveIcon();
    // A new minute: a shown icon gets a new face and tooltip.
    void OnMinuteChanged();
    // The display's scale changed: a shown icon gets a face drawn for the tray's new size.
    void OnScaleChanged();
    // The shell's tray was rebuilt (Explorer restarted, perhaps at another scale): a shown icon is
    // drawn afresh and added again.
    void OnShellRestarted();

private:
    bool Shown() const;

    std::atomic<std::uint32_t>& flags_;
    TrayShell& shell_;
};

}  // namespace tockbell
