#include "core/config/sibling_path.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tockbell
