#include "core/chime/chime.h"

#include <chrono>
#include <cstdio>

#include "core/chime/wave_buffer.h"
#include "core/config/clock_settings.h"

namespace tockbell {

namespace {

constexpr std::chrono::milliseconds kWaitStep{1000};
constexpr std::uint32_t kStopped = FLAG_STOP_SOUND | FLAG_QUITTING;

void WaitWhile(SoundServices& services, std::uint32_t busy) {
    while ((services.flags.load() & busy) != 0) services.sleep(kWaitStep);
}

std::string HourSound(int hour) {
    char name[16];
    std::snprintf(name, sizeof name, "WAVE%03d", hour);
    return name;
}

}  // namespace

std::vector<ChimeSound> ChimeSequence(int hour, std::uint32_t jobFlags) {
    const bool halfHour = (jobFlags & JOB_HALF_HOUR) != 0;
    // The spoken hour at the half hour belongs to "Voice half hours".
    const bool voice = (jobFlags & FLAG_VOICE_HOURS) != 0 && (!halfHour || (jobFlags & FLAG_VOICE_HALF) != 0);
    std::vector<ChimeSound> sounds;
    // Without "Strike half hour" the half hour strikes no bell; the words follow their own options.
    if (!halfHour || (jobFlags & FLAG_STRIKE_HALF) != 0) {
        sounds.push_back({"WAVE0", 1});
        const int strikes = !halfHour && (jobFlags & FLAG_MULTISTRIKE) != 0 ? hour : 1;
        for (int i = 0; i < strikes; ++i) sounds.push_back({"WAVE1"});
    }
    if (!voice) return sounds;
    sounds.push_back({HourSound(hour)});
    if (halfHour) sounds.push_back({"WAVE030"});
    const bool pm = (jobFlags & JOB_PM) != 0;
    const bool swap = (jobFlags & FLAG_SWAP_AMPM) != 0;
    sounds.push_back({pm != swap ? "WAVE0PM" : "WAVE0AM"});
    return sounds;
}

void PlayWaveResource(WaveSounds& sounds, const std::string& name, int divisor, int widen) {
    const std::vector<std::uint8_t> buffer = MakePlayBuffer(sounds.Resource(name), divisor, widen);
    if (!buffer.empty()) sounds.Play(buffer);
}

void StartChime(SoundServices& services, int hour, bool halfHour, bool pm, std::uint32_t optionFlags, int divisor) {
    SoundJob job;
    job.hour = hour == 0 ? 12 : hour;
    job.divisor = divisor;
    job.jobFlags = (optionFlags & kStoredFlagsMask) | (halfHour ? JOB_HALF_HOUR : 0) | (pm ? JOB_PM : 0);
    // A chime with nothing to play must not cut short what else sounds.
    if (ChimeSequence(job.hour, job.jobFlags).empty()) return;

    // A chime has precedence: whatever sounds is asked to stop, and the chime waits until it has.
    services.flags.fetch_or(FLAG_STOP_SOUND);
    WaitWhile(services, FLAG_CHIME_BUSY);
    // A time spoken on request is not cut short: the request came first.
    WaitWhile(services, FLAG_SPEAKING);
    WaitWhile(services, FLAG_PLAY_BUSY);
    WaitWhile(services, FLAG_RECORD_BUSY);
    if ((services.flags.load() & FLAG_QUITTING) != 0) return;
    services.flags.fetch_or(FLAG_CHIME_BUSY);
    services.flags.fetch_and(~FLAG_STOP_SOUND);

    services.threads.StartLowestPriority([&services, job] { ChimeThread(services, job); });
}

void ChimeThread(SoundServices& services, SoundJob job) {
    for (const ChimeSound& sound : ChimeSequence(job.hour, job.jobFlags)) {
        PlayWaveResource(services.sounds, sound.name, job.divisor, sound.widen);
        if ((services.flags.load() & kStopped) != 0) break;
    }
    services.sounds.Purge();
    services.flags.fetch_and(~FLAG_CHIME_BUSY);
}

}  // namespace tockbell
