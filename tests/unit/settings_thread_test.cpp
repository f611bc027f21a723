// OK takes the options into the flags word while a sound thread changes its own bits in it. Run
// under ThreadSanitizer by `make test`.
#include <gtest/gtest.h>

#include <thread>

#include "core/settings/settings_exchange.h"

namespace tockbell {
namespace {

class SilentShell : public TrayShell {
public:
    bool Add() override { return true; }
    bool Modify() override { return true; }
    bool Delete() override { return true; }
    void Renew() override {}
};

TEST(SettingsThreads, OkNeverLosesABitThatASoundThreadChangesMeanwhile) {
    ClockSettings settings(8);
    SilentShell shell;
    TrayIcon icon(settings.flags, shell);
    SettingsExchange exchange(settings, icon, nullptr);

    // The sound thread sets and clears its busy bit over and over; before each change it looks
    // whether the bit still holds what it last put there.
    std::atomic<bool> okDone{false};
    std::atomic<bool> started{false};
    int lost = 0;
    std::thread worker([&] {
        bool busy = false;
        started = true;
        while (!okDone) {
            if (((settings.flags.load() & FLAG_CHIME_BUSY) != 0) != busy) ++lost;
            busy ? settings.flags.fetch_and(~FLAG_CHIME_BUSY) : settings.flags.fetch_or(FLAG_CHIME_BUSY);
            busy = !busy;
        }
    });
    while (!started) std::this_thread::yield();
    SetupControls controls = exchange.Load();
    for (int round = 0; round < 20000; ++round) {
        controls.multistrike = round % 2 == 0;
        exchange.Store(controls);
    }
    okDone = true;
    worker.join();
    EXPECT_EQ(lost, 0);
    EXPECT_FALSE(settings.flags.load() & FLAG_MULTISTRIKE);  // the last round's choice
}

}  // namespace
}  // namespace tockbell
