#include "core/config/settings_file.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/config/profile_text.h"

namespace tockbell {

namespace {

constexpr const char* kMainSection = "Main";
constexpr const char* kFlagsKey = "Flags";
constexpr const char* kQuietHoursKey = "QuietHours";
constexpr std::int32_t kMaxStoredDivisor = 9;
// Zone names rather than offsets, so that the menu is right in every season.
constexpr std::array<const char*, 3> kDefaultZoneLines = {
    "Asia/Singapore in Singapore", "America/Los_Angeles in San Francisco", "Europe/Moscow in Moscow"};

std::string TimeKey(std::size_t number) { return "Time" + std::to_string(number); }

// One "%d": blanks, a sign, at least one digit.
bool ScanNumber(std::string_view& rest, std::int32_t& number) {
    while (!rest.empty() && IsProfileSpace(rest.front())) rest.remove_prefix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || rest.front() < '0' || rest.front() > '9') return false;
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
        magnitude = std::min(kLimit, magnitude * 10 + (rest.front() - '0'));
        rest.remove_prefix(1);
    }
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    number = static_cast<std::int32_t>(value);
    return true;
}

std::size_t ZoneLineCount(const ClockSettings& settings) {
    std::size_t count = 0;
    while (count < kMaxZoneLines && !settings.zoneLines[count].empty()) ++count;
    return count;
}

void WriteMain(const ClockSettings& settings, ProfileDocument& file) {
    const std::size_t zoneCount = ZoneLineCount(settings);
    const std::uint32_t storedFlags = settings.flags.load() & kStoredFlagsMask;
    file.Set(kMainSection, kFlagsKey,
             std::to_string(storedFlags) + "," + std::to_string(settings.volumeDivisor) + "," +
                 std::to_string(settings.lastDay) + "," + std::to_string(zoneCount));
    for (std::size_t i = 0; i < zoneCount; ++i) file.Set(kMainSection, TimeKey(i + 1), settings.zoneLines[i]);
    // A file that never had quiet hours is written as it was.
    if (settings.quietHours) file.Set(kMainSection, kQuietHoursKey, QuietHoursValue(*settings.quietHours));
}

// Copies the time-table of the old file line by line. A line ends at CR LF, LF or CR, as for the
// profile functions: a file with other line ends than CR LF must not lose its time-table at the roll.
void CopyRolledTimeTable(std::string_view oldText, ProfileDocument& file) {
    std::string section;
    bool keep = false;  // no section has begun yet
    while (!oldText.empty()) {
        const std::size_t end = std::min(oldText.find_first_of("\r\n"), oldText.size());
        const std::string_view line = oldText.substr(0, end);
        oldText.remove_prefix(end);
        if (oldText.substr(0, 2) == "\r\n") oldText.remove_prefix(1);
        if (!oldText.empty()) oldText.remove_prefix(1);

        if (line.size() > 2 && line.front() == '[') {
            const std::string_view name = line.substr(1, line.size() - 2);
            // "Main" is compared as the profile functions compare names: copying a "[main]" would
            // put stale values over the settings just written. Blanks around "Today" and
            // "Tomorrow" do not count either, as they do not for the look-up of the sections.
            keep = !EqualIgnoringCase(TrimProfileSpace(name), kMainSection) && TrimProfileSpace(name) != "Today";
            section = TrimProfileSpace(name) == "Tomorrow" ? std::string("Today") : std::string(name);
        } else if (keep && line.size() >= 8) {
            file.Set(section, line.substr(0, 5), line.substr(6));
        }
    }
}

}  // namespace

int ScanFlagsValue(std::string_view value, std::array<std::int32_t, 4>& numbers) {
    int count = 0;
    while (count < static_cast<int>(numbers.size()) && ScanNumber(value, numbers[static_cast<std::size_t>(count)])) {
        ++count;
        if (value.empty() || value.front() != ',') break;
        value.remove_prefix(1);
    }
    return count;
}

void LoadSettings(ConfigStore& store, ClockSettings& settings) {
    std::array<std::int32_t, 4> numbers{};
    const int count = ScanFlagsValue(store.ReadConfigString(kMainSection, kFlagsKey), numbers);
    if (numbers[1] < 0 || numbers[1] > kMaxStoredDivisor) numbers[1] = kDefaultVolumeDivisor;
    if (count >= 1) {
        const auto stored = static_cast<std::uint32_t>(numbers[0]) & kStoredFlagsMask;
        settings.flags.fetch_and(~kStoredFlagsMask);
        settings.flags.fetch_or(stored);
    }
    if (count >= 2) settings.volumeDivisor = numbers[1];
    // Sounds switched off ("Be silent") stay off across a restart for the time-table too, as they were
    // when the switch was made: whatever starts to sound is asked to stop.
    if ((settings.flags.load() & FLAG_SOUND_ON) == 0) settings.flags.fetch_or(FLAG_STOP_SOUND);

    settings.zoneLines = {};
    if (count < 4) {
        for (std::size_t i = 0; i < kDefaultZoneLines.size(); ++i) settings.zoneLines[i] = kDefaultZoneLines[i];
    } else {
        const auto stored = static_cast<std::size_t>(std::clamp<std::int32_t>(numbers[3], 0, kMaxZoneLines));
        for (std::size_t i = 0; i < stored; ++i) {
            const std::string line = store.ReadConfigString(kMainSection, TimeKey(i + 1));
            std::string_view text = line;
            while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
            if (text.empty()) break;
            settings.zoneLines[i] = std::string(text);
        }
    }

    settings.quietHours = ParseQuietHours(store.ReadConfigString(kMainSection, kQuietHoursKey));

    // A file saved on the same day of another month does not roll.
    if (count >= 3 && numbers[2] != settings.lastDay) RollDay(store, settings, settings.lastDay);
}

bool SaveSettings(ConfigStore& store, const ClockSettings& settings, Rotation rotation,
                  const ConfigStore::Builder& writeTimeTable) {
    return store.Rewrite(rotation, [&](std::string_view presentText, ProfileDocument& file) {
        WriteMain(settings, file);
        if (writeTimeTable) writeTimeTable(presentText, file);
    });
}

bool RollDay(ConfigStore& store, ClockSettings& settings, std::int32_t newDay) {
    settings.lastDay = newDay;
    return SaveSettings(store, settings, Rotation::ToBackup, CopyRolledTimeTable);
}

}  // namespace tockbell
