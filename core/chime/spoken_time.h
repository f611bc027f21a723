#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/chime/chime.h"

namespace tockbell {

// The words the voice has for the minutes besides the chime's hours, "...thirty" and a.m./p.m.:
// "oh" (of "oh five"), "o'clock", thirteen to nineteen, twenty, forty and fifty. The minutes 1 to 12
// and the units of 21 to 59 are the chime's spoken hours, thirty is its "...thirty".
inline constexpr std::array<std::string_view, 12> kSpokenTimeSounds = {"WAVEOH",  "WAVEOCLOCK", "WAVE013", "WAVE014",
                                                                       "WAVE015", "WAVE016",    "WAVE017", "WAVE018",
                                                                       "WAVE019", "WAVE020",    "WAVE040", "WAVE050"};

// The time to the minute in the clock's voice: the hour on the twelve-hour dial, the minutes ("oh
// five", "fifteen", "forty" "two", or "o'clock" at :00), then the a.m. or p.m. word as the chime says
// it (noon to 12:59 is p.m.; `swapAmPm` exchanges the two). `hour` is 0 to 23, `minute` 0 to 59.
std::vector<std::string> SpokenTimeSequence(int hour, int minute, bool swapAmPm);

// "Say the time": speaks the time on a sound thread of its own, at the volume divisor, whether sounds
// are on or off. Does nothing while a time is being spoken. Does not block: the thread waits for a
// chime or a recording to end before it speaks, and chimes and reminders that fall due meanwhile
// wait for it.
void StartSayingTime(SoundServices& services, int hour, int minute, std::uint32_t optionFlags, int divisor);

// The speaking thread's body: stops after the word that sounds when FLAG_SPEAKING is cleared or the
// program ends.
void SayTimeThread(SoundServices& services, std::vector<std::string> words, int divisor);

}  // namespace tockbell
