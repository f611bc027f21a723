#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/media_player.h"
#include "platform/sleep.h"
#include "platform/sound.h"

namespace tockbell {

// Bits of a job's own copy of the options.
inline constexpr std::uint32_t JOB_HALF_HOUR = 0x400;
inline constexpr std::uint32_t JOB_PM = 0x800;
// A playback of the time-table's reminders (FLAG_REMINDER_BUSY, FLAG_REMINDER_STOP).
inline constexpr std::uint32_t JOB_REMINDER = 0x1000;

// The record handed to a sound thread, which takes it by value and so owns it.
struct SoundJob {
    int hour = 0;  // 1 to 12
    int divisor = 0;
    std::uint32_t jobFlags = 0;
    std::string path;  // the file a playback plays
};

// What the sound threads share: the flags word, through which alone they coordinate, and the
// platform's services. It outlives every sound thread.
struct SoundServices {
    std::atomic<std::uint32_t>& flags;
    WaveSounds& sounds;
    MediaPlayer& media;
    WorkerThreads& threads;
    SleepFunction sleep;
};

struct ChimeSound {
    std::string name;
    int widen = 2;
    friend bool operator==(const ChimeSound&, const ChimeSound&) = default;
};

// The sounds of one chime, in order, from the job's hour and its copy of the options.
std::vector<ChimeSound> ChimeSequence(int hour, std::uint32_t jobFlags);

// Plays a built-in sound at the volume divisor and returns when it has ended.
void PlayWaveResource(WaveSounds& sounds, const std::string& name, int divisor, int widen);

// Silences and waits out whatever sounds, then starts the chime on a sound thread. hour is 0 to 12
// (0 means 12); only bits 0-6 of optionFlags count. Blocks the calling thread while it waits.
void StartChime(SoundServices& services, int hour, bool halfHour, bool pm, std::uint32_t optionFlags, int divisor);

// The chime thread's body: plays the sequence, stopping after the sound that plays when asked to.
void ChimeThread(SoundServices& services, SoundJob job);

}  // namespace tockbell
