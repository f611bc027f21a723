#include "core/config/sibling_path.h"

#include <gtest/gtest.h>

#include "core/config/program_files.h"

namespace tockbell {
namespace {

struct SiblingCase {
    const char* program;
    const char* name;
    const char* expected;
};

TEST(SiblingPath, NamesFilesBesideTheProgram) {
    for (const SiblingCase& c : {
             SiblingCase{"C:\\Apps\\Clock.exe", ".wav", "C:\\Apps\\Clock.wav"},
             SiblingCase{"C:\\Apps\\Clock.exe", ".ini", "C:\\Apps\\Clock.ini"},
             SiblingCase{"C:\\Apps\\Clock.exe", "Bell.mid", "C:\\Apps\\Bell.mid"},
             SiblingCase{"C:\\Apps\\Clock.v2.exe", ".bak", "C:\\Apps\\Clock.v2.bak"},
             // A dot in a folder's name is not the program's extension.
             SiblingCase{"C:\\My.Apps\\Clock", ".ini", "C:\\My.Apps\\Clock.ini"},
             SiblingCase{"Z:/home/user/tockbell.exe", ".ini", "Z:/home/user/tockbell.ini"},
             SiblingCase{"tockbell.exe", "Bell.mid", "Bell.mid"},
         }) {
        EXPECT_EQ(SiblingPath(c.program, c.name), c.expected) << c.program << " + " << c.name;
    }
}

TEST(ProgramFiles, EveryFileFromOneBase) {
    struct Case {
        const char* base;
        const char* settings;
        const char* backup;
        const char* voice;
        const char* notes;
    };
    for (const Case& c : {
             Case{"C:\\Apps\\Tockbell.exe", "C:\\Apps\\Tockbell.ini", "C:\\Apps\\Tockbell.bak",
                  "C:\\Apps\\Tockbell.wav", "C:\\Apps\\Tockbell.txt"},
             Case{"/home/me/.config/tockbell/tockbell", "/home/me/.config/tockbell/tockbell.ini",
                  "/home/me/.config/tockbell/tockbell.bak", "/home/me/.config/tockbell/tockbell.wav",
                  "/home/me/.config/tockbell/tockbell.txt"},
         }) {
        const ProgramFiles own(c.base);
        EXPECT_EQ(own.Base(), c.base);
        EXPECT_EQ(own.Settings(), c.settings);
        EXPECT_EQ(own.Backup(), c.backup);
        EXPECT_EQ(own.Voice(), c.voice);
        EXPECT_EQ(own.Notes(), c.notes);
    }
}

}  // namespace
}  // namespace tockbell
