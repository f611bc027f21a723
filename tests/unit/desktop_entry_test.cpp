#include "linux/xdg/desktop_entry.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace tockbell {
namespace {

using namespace std::string_literals;

// The package's menu entry is the one the program writes for a user, starting the program by its name.
TEST(DesktopEntryTest, TheMenuEntryIsThePackages) {
    std::ifstream file(TOCKBELL_PACKAGE_ENTRY, std::ios::binary);
    ASSERT_TRUE(file) << TOCKBELL_PACKAGE_ENTRY;
    const std::string packaged((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(DesktopEntryText(DesktopEntryKind::Menu, "tockbell"), packaged);
}

TEST(DesktopEntryTest, TheAutostartEntry) {
    EXPECT_EQ(DesktopEntryText(DesktopEntryKind::Autostart, "/home/me/my build/tockbell"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Tockbell\n"
              "GenericName=Striking clock\n"
              "Comment=A clock in the tray that strikes the hours, chimes and plays reminders\n"
              "Exec=\"/home/me/my build/tockbell\"\n"
              "Icon=tockbell\n"
              "Terminal=false\n"
              "Categories=Utility;Clock;\n"
              "Keywords=clock;chime;strike;reminder;time;\n"
              "X-GNOME-Autostart-enabled=true\n");
}

struct ExecCase {
    const char* executable;
    const char* exec;
};

// A character of the quoting takes one backslash, and every backslash is then escaped once more as
// a string value: a literal backslash in quotes is four of them in the file.
TEST(DesktopEntryTest, ExecQuotesAndEscapesThePath) {
    const ExecCase cases[] = {
        {"/usr/bin/tockbell", "/usr/bin/tockbell"},
        {"/home/me/my build/tockbell", R"("/home/me/my build/tockbell")"},
        {R"(/tmp/say "hi"/tockbell)", R"("/tmp/say \\"hi\\"/tockbell")"},
        {R"(/tmp/back\slash/tockbell)", R"("/tmp/back\\\\slash/tockbell")"},
        {"/tmp/$HOME/tockbell", R"("/tmp/\\$HOME/tockbell")"},
        {"/tmp/`id`/tockbell", R"("/tmp/\\`id\\`/tockbell")"},
        {"/tmp/100%/tockbell", "/tmp/100%%/tockbell"},
        {"/tmp/100% sure/%f", R"("/tmp/100%% sure/%%f")"},
        {"/tmp/it's/tockbell", R"("/tmp/it's/tockbell")"},
        {"/tmp/a\tb\nc\rd", R"("/tmp/a\tb\nc\rd")"},
        {"/tmp/semi;colon", R"("/tmp/semi;colon")"},
        {"/tmp/a=b,c+d@e", "/tmp/a=b,c+d@e"},
        {"/tmp/caf\xc3\xa9/tockbell", "/tmp/caf\xc3\xa9/tockbell"},
    };
    for (const ExecCase& c : cases) EXPECT_EQ(ExecValue(c.executable), c.exec) << c.executable;
}

TEST(DesktopEntryTest, EveryPathComesBackFromBothEntries) {
    const char* paths[] = {
        "/usr/bin/tockbell",
        "/home/me/my build/tockbell",
        "/tmp/say \"hi\"/tockbell",
        "/tmp/back\\slash/tockbell",
        "/tmp/two\\\\back\\\"slashes",
        "/tmp/trailing\\",
        "/tmp/\\s and \\n are no escapes",
        "/tmp/$HOME/`id`/$(id)/tockbell",
        "/tmp/100%/%f %u %%/tockbell",
        "/tmp/it's/tockbell",
        "/tmp/a\tb\nc\rd",
        "/tmp/ends with a blank ",
        " /starts with a blank",
        "/tmp/#hash/[group]/semi;colon/a=b/<>|&*?~()",
        "/tmp/caf\xc3\xa9/tockbell",
    };
    for (const char* path : paths) {
        for (const DesktopEntryKind kind : {DesktopEntryKind::Menu, DesktopEntryKind::Autostart}) {
            EXPECT_EQ(DesktopEntryExecutable(DesktopEntryText(kind, path)), path) << path;
        }
    }
}

struct ReadCase {
    const char* what;
    std::string text;
    std::optional<std::string> executable;
};

TEST(DesktopEntryTest, TheExecutableIsTheFirstArgumentOfTheFirstExecOfTheEntrysGroup) {
    const ReadCase cases[] = {
        {"empty", "", std::nullopt},
        {"no group", "Exec=/usr/bin/x\n", std::nullopt},
        {"another group", "[Desktop Action New]\nExec=/usr/bin/x\n", std::nullopt},
        {"no Exec", "[Desktop Entry]\nName=x\n", std::nullopt},
        {"Exec after the group", "[Desktop Entry]\nName=x\n[Desktop Action New]\nExec=/usr/bin/x\n", std::nullopt},
        {"group after another", "[Desktop Action New]\nExec=/usr/bin/x\n[Desktop Entry]\nExec=/usr/bin/y\n",
         "/usr/bin/y"},
        {"arguments", "[Desktop Entry]\nExec=/usr/bin/x --tray %U\n", "/usr/bin/x"},
        {"quoted with arguments", "[Desktop Entry]\nExec=\"/my apps/x\" %f\n", "/my apps/x"},
        {"blanks around the equals sign", "[Desktop Entry]\nExec \t=  /usr/bin/x\n", "/usr/bin/x"},
        {"first of two", "[Desktop Entry]\nExec=/usr/bin/x\nExec=/usr/bin/y\n", "/usr/bin/x"},
        {"other keys first", "[Desktop Entry]\nExec[de]=/usr/bin/de\nExecFlags=/f\nTryExec=/t\nExec=/usr/bin/x",
         "/usr/bin/x"},
        {"comments", "# Exec=/no\n[Desktop Entry]\n# Exec=/nor\nExec=/usr/bin/x\n", "/usr/bin/x"},
        {"carriage returns", "[Desktop Entry]\r\nExec=/usr/bin/x\r\n", "/usr/bin/x"},
        {"no end of line", "[Desktop Entry]\nExec=/usr/bin/x", "/usr/bin/x"},
        {"open quote", "[Desktop Entry]\nExec=\"/usr/bin/x\n", std::nullopt},
        {"quote inside", "[Desktop Entry]\nExec=\"/usr\"/bin/x\n", std::nullopt},
        {"empty Exec", "[Desktop Entry]\nExec=\n", std::nullopt},
        {"blank Exec", "[Desktop Entry]\nExec=  \t\n", std::nullopt},
        {"empty quotes", "[Desktop Entry]\nExec=\"\"\n", std::nullopt},
        {"a single backslash before a dollar", "[Desktop Entry]\nExec=\"/a\\$b\"\n", "/a$b"},
        {"a string escape of a blank", "[Desktop Entry]\nExec=\"/my\\sapps/x\"\n", "/my apps/x"},
        {"a backslash outside quotes", "[Desktop Entry]\nExec=/my\\\\ apps/x --tray\n", "/my apps/x"},
        {"comments and blank lines", "[Desktop Entry]\n\n#[Other]\n  \nExec=/usr/bin/x\n", "/usr/bin/x"},
        {"a lone backslash at the end", "[Desktop Entry]\nExec=/a\\", "/a\\"},
        {"a field code", "[Desktop Entry]\nExec=%k\n", "%k"},
        {"zero bytes", "[Desktop Entry]\nExec=/a\0b\n\0"s, "/a\0b"s},
        {"an overlong line", "[Desktop Entry]\nExec=/" + std::string(1 << 16, 'a') + "\n",
         "/" + std::string(1 << 16, 'a')},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(DesktopEntryExecutable(c.text), c.executable) << c.what;
}

// A file cut short anywhere, as a crash may leave it, names the program whole or not at all.
TEST(DesktopEntryTest, ATruncatedEntryNamesTheWholeQuotedPathOrNothing) {
    const std::string path = "/home/me/my build/say \"hi\"/tockbell";
    const std::string text = DesktopEntryText(DesktopEntryKind::Autostart, path);
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const std::optional<std::string> executable = DesktopEntryExecutable(std::string_view(text).substr(0, length));
        EXPECT_EQ(executable.value_or(path), path) << length;
    }
}

}  // namespace
}  // namespace tockbell
