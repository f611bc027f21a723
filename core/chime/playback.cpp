#include "core/chime/playback.h"

#include <chrono>
#include <memory>

#include "core/config/clock_settings.h"

namespace tockbell {

namespace {

constexpr std::chrono::milliseconds kWaitStep{1000};
// Short enough that a stop is heard at once, long enough that the wait costs nothing.
constexpr std::chrono::milliseconds kPollInterval{100};

bool Quitting(const SoundServices& services) { return (services.flags.load() & FLAG_QUITTING) != 0; }

// Waits for the player and the recorder to be free and takes the player; false at shutdown.
bool ClaimPlayer(SoundServices& services) {
    for (;;) {
        const std::uint32_t state = services.flags.load();
        if ((state & FLAG_QUITTING) != 0) return false;
        if ((state & (FLAG_PLAY_BUSY | FLAG_RECORD_BUSY)) == 0 &&
            (services.flags.fetch_or(FLAG_PLAY_BUSY) & FLAG_PLAY_BUSY) == 0) {
            return true;
        }
        services.sleep(kWaitStep);
    }
}

bool KeepsPlaying(SoundServices& services, MediaDevice& device, std::uint32_t stopped) {
    const std::uint32_t state = services.flags.load();
    return (state & stopped) == 0 && (state & FLAG_PLAY_BUSY) != 0 && device.IsPlaying();
}

// Plays once the player is claimed and no chime sounds.
void PlayClaimed(SoundServices& services, const SoundJob& job, std::uint32_t stopped) {
    while ((services.flags.load() & (FLAG_CHIME_BUSY | FLAG_SPEAKING)) != 0) {
        if (Quitting(services)) return;
        services.sleep(kWaitStep);
    }
    // Asked for silence before it began: not even the first moment of it sounds.
    if ((services.flags.load() & stopped) != 0) return;
    if (std::unique_ptr<MediaDevice> device = services.media.Open(job.path)) {
        device->Play();
        while (KeepsPlaying(services, *device, stopped)) services.sleep(kPollInterval);
    }
}

}  // namespace

bool StartPlayback(SoundServices& services, const std::string& path, std::uint32_t jobFlags) {
    if (path.empty() || path.size() > kMaxSoundPathLength) return false;
    SoundJob job;
    job.jobFlags = jobFlags;
    job.path = path;
    services.threads.StartLowestPriority([&services, job] { PlaybackThread(services, job); });
    return true;
}

void PlaybackThread(SoundServices& services, SoundJob job) {
    const bool reminder = (job.jobFlags & JOB_REMINDER) != 0;
    std::uint32_t stopped = FLAG_STOP_SOUND | FLAG_QUITTING;
    if (reminder) stopped |= FLAG_REMINDER_STOP;
    if (ClaimPlayer(services)) {
        PlayClaimed(services, job, stopped);
        services.flags.fetch_and(~FLAG_PLAY_BUSY);
    }
    // However it ended, the tick may start the next reminder now.
    if (reminder) services.flags.fetch_and(~(FLAG_REMINDER_BUSY | FLAG_REMINDER_STOP));
}

}  // namespace tockbell
