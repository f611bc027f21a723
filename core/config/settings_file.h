#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/config/clock_settings.h"
#include "core/config/config_store.h"

namespace tockbell {

// Reads the four comma-separated numbers of a "Flags" value as "%d,%d,%d,%d" would; returns how
// many were read. Numbers beyond the 32-bit range are held at its ends.
int ScanFlagsValue(std::string_view value, std::array<std::int32_t, 4>& numbers);

// Fills `settings` from the section "Main". `settings.lastDay` must hold today's day of the month:
// a stored day that differs from it rolls the day. With sounds stored off, sounds are asked to stop.
void LoadSettings(ConfigStore& store, ClockSettings& settings);

// Writes the section "Main". With rotation the new file holds only "Main" and what `writeTimeTable`
// adds; the present file becomes the backup.
bool SaveSettings(ConfigStore& store, const ClockSettings& settings, Rotation rotation = Rotation::None,
                  const ConfigStore::Builder& writeTimeTable = {});

// Sets `lastDay` and rotates the file, copying the time-table back without "Today", with
// "Tomorrow" as "Today".
bool RollDay(ConfigStore& store, ClockSettings& settings, std::int32_t newDay);

}  // namespace tockbell
