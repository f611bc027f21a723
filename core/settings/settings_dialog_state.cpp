#include "core/settings/settings_dialog_state.h"

#include "core/config/clock_settings.h"

namespace tockbell {

namespace {

// A tab outside the three opens Setup.
std::int32_t ValidTab(std::int32_t tab) { return tab >= 0 && tab < kPageCount ? tab : kSetupPage; }

}  // namespace

SettingsTabs::SettingsTabs(std::int32_t& lastTab) : lastTab_(lastTab), m_currentTab(ValidTab(lastTab)) {}

SettingsTabs::Change SettingsTabs::Select(std::int32_t tab, std::uint32_t flags) {
    const Change change{m_currentTab, ValidTab(tab), m_currentTab == kTablePage && (flags & FLAG_RECORD_BUSY) != 0};
    m_currentTab = change.entering;
    lastTab_ = m_currentTab;
    return change;
}

bool DialogClock::MinuteChanged(int minute) {
    if (minute == m_lastMinute) return false;
    m_lastMinute = minute;
    return true;
}

}  // namespace tockbell
