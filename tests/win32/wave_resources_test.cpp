// The clock's own sounds as they are built into the program: the resource script is linked into
// this test, which reads them back through the same resource calls the program uses.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/chime/spoken_time.h"
#include "core/chime/wave_buffer.h"
#include "win32/chime/win32_sound.h"

namespace tockbell {
namespace {

struct SoundSize {
    std::string name;
    int channels;
    std::uint32_t least, most;  // data bytes
};

std::vector<SoundSize> Table() {
    std::vector<SoundSize> table = {{"WAVE0", 2, 39237, 39237}, {"WAVE1", 1, 15484, 15484},
                                    {"WAVE030", 1, 5130, 5130},  {"WAVE0AM", 1, 6620, 6620},
                                    {"WAVE0PM", 1, 8154, 8154}};
    for (int hour = 1; hour <= 12; ++hour) {
        char name[16];
        std::snprintf(name, sizeof name, "WAVE%03d", hour);
        table.push_back({name, 1, 4124, 7546});
    }
    // The words of "Say the time" are spoken words of the same voice and length.
    for (const std::string_view word : kSpokenTimeSounds) table.push_back({std::string(word), 1, 4124, 7546});
    return table;
}

std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t Read16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }

TEST(WaveResources, EverySoundHasTheCanonicalHeaderAndItsSize) {
    ResourceWaveSounds sounds(GetModuleHandleA(nullptr));
    for (const SoundSize& expected : Table()) {
        SCOPED_TRACE(expected.name);
        const std::span<const std::uint8_t> wave = sounds.Resource(expected.name);
        ASSERT_GE(wave.size(), 44u);
        EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
        EXPECT_EQ(std::memcmp(wave.data() + 8, "WAVEfmt ", 8), 0);
        EXPECT_EQ(Read32(wave, 16), 16u);                         // the format chunk's size
        EXPECT_EQ(Read16(wave, 20), 1u);                          // PCM
        EXPECT_EQ(Read16(wave, 22), static_cast<std::uint32_t>(expected.channels));
        EXPECT_EQ(Read32(wave, 24), 11025u);
        EXPECT_EQ(Read32(wave, 28), 11025u * static_cast<std::uint32_t>(expected.channels));
        EXPECT_EQ(Read16(wave, 32), static_cast<std::uint32_t>(expected.channels));
        EXPECT_EQ(Read16(wave, 34), 8u);
        EXPECT_EQ(std::memcmp(wave.data() + 36, "data", 4), 0);
        const std::uint32_t data = Read32(wave, 40);
        EXPECT_GE(data, expected.least);
        EXPECT_LE(data, expected.most);
        EXPECT_EQ(Read32(wave, 4), data + 36);
        EXPECT_EQ(wave.size(), 44u + data);
        // What the player gets is a whole stereo image.
        const std::vector<std::uint8_t> buffer = MakePlayBuffer(wave, 2, expected.channels == 1 ? 2 : 1);
        EXPECT_EQ(buffer.size(), 44u + data * (expected.channels == 1 ? 2 : 1));
    }
    EXPECT_TRUE(sounds.Resource("WAVE025").empty());
}

}  // namespace
}  // namespace tockbell
