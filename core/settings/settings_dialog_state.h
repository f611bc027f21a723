#pragma once

#include <cstdint>

namespace tockbell {

// The settings dialog's pages, in the order of their tabs.
inline constexpr std::int32_t kSetupPage = 0;
inline constexpr std::int32_t kTablePage = 1;
inline constexpr std::int32_t kAboutPage = 2;
inline constexpr std::int32_t kPageCount = 3;

// Which page the dialog shows. The opener remembers the last one while the program runs, so the
// next opening starts there.
class SettingsTabs {
public:
    // `lastTab` is the opener's memory; it outlives the dialog.
    explicit SettingsTabs(std::int32_t& lastTab);

    std::int32_t Current() const { return m_currentTab; }

    struct Change {
        std::int32_t leaving;
        std::int32_t entering;
        bool stopRecording;  // the recording ends before its page is left
    };
    // The user chose `tab`; `flags` is the shared flags word as it is now.
    Change Select(std::int32_t tab, std::uint32_t flags);

private:
    std::int32_t& lastTab_;
    std::int32_t m_currentTab;
};

// The dialog's clock icon is drawn anew when the minute has changed; the first look always draws.
class DialogClock {
public:
    bool MinuteChanged(int minute);

private:
    std::int32_t m_lastMinute = -1;
};

}  // namespace tockbell
