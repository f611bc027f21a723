#include "core/config/profile_document.h"

#include <gtest/gtest.h>

#include "core/config/profile_text.h"

namespace tockbell {
namespace {

TEST(ProfileDocument, SetFindsTheFirstOfSectionsAndKeysThatDifferInCase) {
    ProfileDocument document = ProfileDocument::Parse("[Day]\r\nk=1\r\nK=2\r\n[day]\r\nk=3\r\n");
    document.Set("DAY", "k", "new");
    document.Set("day", "other", "x");
    EXPECT_EQ(document.Serialize(), "[Day]\r\nk=new\r\nK=2\r\nother=x\r\n[day]\r\nk=3\r\n");
}

TEST(ProfileDocument, SectionsAddedLaterAreFoundAgain) {
    ProfileDocument document = ProfileDocument::Parse("");
    for (int i = 0; i < 50; ++i) document.Set("Section" + std::to_string(i), "08:00", "a.wav");
    for (int i = 0; i < 50; ++i) document.Set("SECTION" + std::to_string(i), "08:00", "b" + std::to_string(i));
    const std::string text = document.Serialize();
    EXPECT_EQ(FindProfileValue(text, "section49", "08:00"), "b49");
    EXPECT_EQ(FindProfileValue(text, "section0", "08:00"), "b0");
    EXPECT_EQ(text.size(), ProfileDocument::Parse(text).Serialize().size());
}

TEST(ProfileDocument, KeepsNonAsciiNamesAndFoldsTheirCase) {
    ProfileDocument document = ProfileDocument::Parse("[\xC4pfel]\r\nk=1\r\n");
    document.Set("\xE4pfel", "k", "2");
    EXPECT_EQ(document.Serialize(), "[\xC4pfel]\r\nk=2\r\n");
}

}  // namespace
}  // namespace tockbell
