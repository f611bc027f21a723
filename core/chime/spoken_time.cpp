#include "core/chime/spoken_time.h"

#include <chrono>
#include <cstdio>

#include "core/config/clock_settings.h"

namespace tockbell {

namespace {

constexpr std::chrono::milliseconds kWaitStep{100};

std::string NumberSound(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "WAVE%03d", number);
    return name;
}

bool Speaking(const SoundServices& services) {
    const std::uint32_t state = services.flags.load();
    return (state & FLAG_SPEAKING) != 0 && (state & FLAG_QUITTING) == 0;
}

}  // namespace

std::vector<std::string> SpokenTimeSequence(int hour, int minute, bool swapAmPm) {
    const int dial = hour % 12 == 0 ? 12 : hour % 12;
    std::vector<std::string> words = {NumberSound(dial)};
    if (minute == 0) {
        words.emplace_back("WAVEOCLOCK");
    } else if (minute < 10) {
        words.emplace_back("WAVEOH");
        words.push_back(NumberSound(minute));
    } else if (minute < 20 || minute % 10 == 0) {
        words.push_back(NumberSound(minute));
    } else {
        words.push_back(NumberSound(minute - minute % 10));
        words.push_back(NumberSound(minute % 10));
    }
    const bool pm = hour >= 12;
    words.emplace_back(pm != swapAmPm ? "WAVE0PM" : "WAVE0AM");
    return words;
}

void StartSayingTime(SoundServices& services, int hour, int minute, std::uint32_t optionFlags, int divisor) {
    if ((services.flags.fetch_or(FLAG_SPEAKING) & FLAG_SPEAKING) != 0) return;
    std::vector<std::string> words = SpokenTimeSequence(hour, minute, (optionFlags & FLAG_SWAP_AMPM) != 0);
    services.threads.StartLowestPriority(
        [&services, words = std::move(words), divisor] { SayTimeThread(services, words, divisor); });
}

void SayTimeThread(SoundServices& services, std::vector<std::string> words, int divisor) {
    // The built-in sounds play one at a time: a chime that sounds, or a recording, is waited out.
    while (Speaking(services) && (services.flags.load() & (FLAG_CHIME_BUSY | FLAG_RECORD_BUSY)) != 0) {
        services.sleep(kWaitStep);
    }
    for (const std::string& word : words) {
        if (!Speaking(services)) break;
        PlayWaveResource(services.sounds, word, divisor, 2);
    }
    services.flags.fetch_and(~FLAG_SPEAKING);
}

}  // namespace tockbell
