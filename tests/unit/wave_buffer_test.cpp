#include "core/chime/wave_buffer.h"

#include <gtest/gtest.h>

namespace tockbell {
namespace {

std::vector<std::uint8_t> Wave(int channels, std::vector<std::uint8_t> samples, std::uint32_t declared = 0) {
    const auto size = declared ? declared : static_cast<std::uint32_t>(samples.size());
    auto le32 = [](std::uint32_t v) {
        return std::vector<std::uint8_t>{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                                         std::uint8_t(v >> 24)};
    };
    std::vector<std::uint8_t> wave = {'R', 'I', 'F', 'F'};
    for (auto b : le32(size + 36)) wave.push_back(b);
    for (char c : std::string("WAVEfmt ")) wave.push_back(static_cast<std::uint8_t>(c));
    for (auto b : le32(16)) wave.push_back(b);
    const auto ch = static_cast<std::uint8_t>(channels);
    const std::uint32_t rate = 11025;
    for (auto b : {std::uint8_t(1), std::uint8_t(0), ch, std::uint8_t(0)}) wave.push_back(b);
    for (auto b : le32(rate)) wave.push_back(b);
    for (auto b : le32(rate * ch)) wave.push_back(b);
    for (auto b : {ch, std::uint8_t(0), std::uint8_t(8), std::uint8_t(0)}) wave.push_back(b);
    for (char c : std::string("data")) wave.push_back(static_cast<std::uint8_t>(c));
    for (auto b : le32(size)) wave.push_back(b);
    wave.insert(wave.end(), samples.begin(), samples.end());
    return wave;
}

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

struct ScaleCase {
    int divisor;
    std::uint8_t in, out;
};

TEST(MakePlayBuffer, ScalesAroundTheZeroLineTruncatingTowardZero) {
    for (const ScaleCase& c : {ScaleCase{0, 0, 0}, ScaleCase{0, 255, 255}, ScaleCase{1, 7, 7}, ScaleCase{2, 0, 64},
                               ScaleCase{2, 255, 191}, ScaleCase{3, 0, 86}, ScaleCase{3, 255, 170},
                               ScaleCase{9, 0, 114}, ScaleCase{9, 255, 142}, ScaleCase{9, 128, 128},
                               ScaleCase{2, 127, 128}, ScaleCase{2, 129, 128}}) {
        const auto buffer = MakePlayBuffer(Wave(2, {c.in, c.in}), c.divisor, 1);
        ASSERT_EQ(buffer.size(), 46u);
        EXPECT_EQ(buffer[44], c.out) << "divisor " << c.divisor << " byte " << int(c.in);
    }
}

TEST(MakePlayBuffer, MonoBecomesTheRightChannelOfStereo) {
    const auto buffer = MakePlayBuffer(Wave(1, {0, 255, 100}), 2, 2);
    ASSERT_EQ(buffer.size(), 44u + 6);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin() + 44, buffer.end()),
              (std::vector<std::uint8_t>{128, 64, 128, 191, 128, 114}));
    EXPECT_EQ(buffer[22], 2);                        // channels
    EXPECT_EQ(buffer[28] | buffer[29] << 8, 22050);  // byte rate
    EXPECT_EQ(buffer[32], 2);                        // block alignment
    EXPECT_EQ(Read32(buffer, 24), 11025u);           // sample rate kept
    EXPECT_EQ(buffer[34], 8);
    EXPECT_EQ(Read32(buffer, 40), 6u);
    EXPECT_EQ(Read32(buffer, 4), 42u);
}

TEST(MakePlayBuffer, StereoWithAnOddCountKeepsEveryByte) {
    std::vector<std::uint8_t> samples(39237);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::uint8_t>(i * 7);
    const auto buffer = MakePlayBuffer(Wave(2, samples), 1, 1);
    ASSERT_EQ(buffer.size(), 44u + 39237);
    EXPECT_EQ(Read32(buffer, 40), 39237u);
    EXPECT_EQ(Read32(buffer, 4), 39273u);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), buffer.begin() + 44));
}

TEST(MakePlayBuffer, BrokenImagesPlayNothingOrWhatIsThere) {
    EXPECT_TRUE(MakePlayBuffer({}, 2, 2).empty());
    auto wave = Wave(1, {1, 2, 3});
    EXPECT_TRUE(MakePlayBuffer(std::span(wave).first(43), 2, 2).empty());
    auto sixteenBit = wave;
    sixteenBit[34] = 16;
    EXPECT_TRUE(MakePlayBuffer(sixteenBit, 2, 2).empty());
    // A data size beyond the end of the image is held to the samples that are there.
    const auto overlong = MakePlayBuffer(Wave(1, {0, 0}, 1000000), 1, 2);
    ASSERT_EQ(overlong.size(), 48u);
    EXPECT_EQ(Read32(overlong, 40), 4u);
}

}  // namespace
}  // namespace tockbell
