#include "core/settings/about_text.h"

#include <gtest/gtest.h>

namespace tockbell {
namespace {

std::uint8_t RotateLeft(std::uint8_t x, unsigned bits) {
    return static_cast<std::uint8_t>((x << bits) | (x >> (8 - bits)));
}

TEST(AboutText, RotationDependsOnTheIndexAndTheKeyRepeatsOverItsLength) {
    const std::string key = "abc";
    const std::string plain = "Tockbell!";
    const std::vector<std::uint8_t> scrambled = ScrambleAboutText(plain, key);
    ASSERT_EQ(scrambled.size(), plain.size());
    // Byte 0: key character 0 and a rotation by 2; byte 4 a rotation by 2 again; byte 3 (the key's
    // length) key character 0; byte 7 a rotation by 5 and key character 1.
    EXPECT_EQ(scrambled[0], RotateLeft('T', 2) ^ 'a');
    EXPECT_EQ(scrambled[3], RotateLeft('k', 5) ^ 'a');
    EXPECT_EQ(scrambled[4], RotateLeft('b', 2) ^ 'b');
    EXPECT_EQ(scrambled[7], RotateLeft('l', 5) ^ 'b');
}

TEST(AboutText, RestoringGivesTheTextBackByteForByte) {
    std::string every;
    for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
    for (const std::string& key :
         {std::string("(c) 2026 The Tockbell authors"), std::string("k"), std::string(200, 'x'), std::string("")}) {
        EXPECT_EQ(RestoreAboutText(ScrambleAboutText(every, key), key), every) << key;
    }
    EXPECT_EQ(RestoreAboutText({}, "key"), "");
}

TEST(AboutText, TheKeyCountsUpToItsZeroAndSeventyNineCharacters) {
    const std::string text(300, 'T');
    EXPECT_EQ(ScrambleAboutText(text, std::string("ab\0cd", 5)), ScrambleAboutText(text, "ab"));
    const std::string longKey = std::string(79, 'k') + "XYZ";
    EXPECT_EQ(ScrambleAboutText(text, longKey), ScrambleAboutText(text, longKey.substr(0, 79)));
    EXPECT_NE(ScrambleAboutText(text, "ab"), ScrambleAboutText(text, "ac"));
    // An empty key only rotates.
    EXPECT_EQ(ScrambleAboutText("T", "")[0], RotateLeft('T', 2));
}

}  // namespace
}  // namespace tockbell
