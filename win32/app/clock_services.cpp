#include "win32/app/clock_services.h"

namespace tockbell {

namespace {

void SleepFor(std::chrono::milliseconds duration) { Sleep(static_cast<DWORD>(duration.count())); }

}  // namespace

ClockServices::ClockServices(ClockSettings& settings, ConfigStore* store, FileSystem& files,
                             Notifications& notifications, const std::string& programPath)
    : waveSounds_(GetModuleHandleA(nullptr)),
      sounds_{settings.flags, waveSounds_, media_, threads_, SleepFor},
      recording_{settings.flags, recorders_, files, threads_, SleepFor},
      actions_(settings, store, sounds_, notifications, programPath) {}

}  // namespace tockbell
