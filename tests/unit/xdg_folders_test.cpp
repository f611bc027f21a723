#include "linux/xdg/xdg_folders.h"

#include <cstdlib>
#include <map>
#include <vector>

#include <gtest/gtest.h>

namespace tockbell {
namespace {

using Environment = std::map<std::string, std::string>;

EnvironmentLookup LookupIn(const Environment& environment) {
    return [&environment](const std::string& name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        if (found == environment.end()) return std::nullopt;
        return found->second;
    };
}

struct FolderCase {
    const char* what;
    Environment environment;
    std::optional<std::string> configHome;
    std::optional<std::string> dataHome;
};

TEST(XdgFoldersTest, BaseFoldersComeFromAbsoluteXdgVariablesElseFromAnAbsoluteHome) {
    const FolderCase cases[] = {
        {"only HOME", {{"HOME", "/home/me"}}, "/home/me/.config", "/home/me/.local/share"},
        {"both variables",
         {{"HOME", "/home/me"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}},
         "/cfg",
         "/data"},
        {"variables without HOME", {{"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}}, "/cfg", "/data"},
        {"relative variables",
         {{"HOME", "/home/me"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "./data"}},
         "/home/me/.config",
         "/home/me/.local/share"},
        {"empty variables",
         {{"HOME", "/home/me"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", ""}},
         "/home/me/.config",
         "/home/me/.local/share"},
        {"nothing", {}, std::nullopt, std::nullopt},
        {"only the config variable", {{"XDG_CONFIG_HOME", "/cfg"}}, "/cfg", std::nullopt},
        {"relative HOME", {{"HOME", "home/me"}}, std::nullopt, std::nullopt},
        {"empty HOME", {{"HOME", ""}}, std::nullopt, std::nullopt},
        {"relative variable and no HOME", {{"XDG_DATA_HOME", "data"}}, std::nullopt, std::nullopt},
        {"HOME is the root", {{"HOME", "/"}}, "/.config", "/.local/share"},
        {"HOME ends in a slash", {{"HOME", "/home/me/"}}, "/home/me/.config", "/home/me/.local/share"},
        {"HOME with blanks", {{"HOME", "/home/my self"}}, "/home/my self/.config", "/home/my self/.local/share"},
    };
    for (const FolderCase& c : cases) {
        const XdgFolders folders = FindXdgFolders(LookupIn(c.environment));
        EXPECT_EQ(folders.configHome, c.configHome) << c.what;
        EXPECT_EQ(folders.dataHome, c.dataHome) << c.what;
    }
}

struct PlaceCase {
    XdgFolders folders;
    std::optional<std::string> program, filesBase, autostart, applications;
};

TEST(XdgFoldersTest, TheProgramsPlacesLieBelowTheBaseFolders) {
    const PlaceCase cases[] = {
        {{"/home/me/.config", "/home/me/.local/share"},
         "/home/me/.config/tockbell",
         "/home/me/.config/tockbell/tockbell",
         "/home/me/.config/autostart",
         "/home/me/.local/share/applications"},
        {{"/cfg/", "/data/"}, "/cfg/tockbell", "/cfg/tockbell/tockbell", "/cfg/autostart", "/data/applications"},
        {{"/cfg", std::nullopt}, "/cfg/tockbell", "/cfg/tockbell/tockbell", "/cfg/autostart", std::nullopt},
        {{std::nullopt, "/data"}, std::nullopt, std::nullopt, std::nullopt, "/data/applications"},
    };
    for (const PlaceCase& c : cases) {
        const std::string what = c.folders.configHome.value_or("-") + " " + c.folders.dataHome.value_or("-");
        EXPECT_EQ(c.folders.ProgramFolder(), c.program) << what;
        EXPECT_EQ(c.folders.FilesBase(), c.filesBase) << what;
        EXPECT_EQ(c.folders.AutostartFolder(), c.autostart) << what;
        EXPECT_EQ(c.folders.ApplicationsFolder(), c.applications) << what;
    }
}

struct ListCase {
    const char* what;
    Environment environment;
    std::vector<std::string> dataDirs, commandFolders;
};

TEST(XdgFoldersTest, DataFoldersAndPathTakeTheirAbsoluteFoldersInOrder) {
    const std::vector<std::string> defaults{"/usr/local/share", "/usr/share"};
    const ListCase cases[] = {
        {"unset", {}, defaults, {}},
        {"empty", {{"XDG_DATA_DIRS", ""}, {"PATH", ""}}, defaults, {}},
        {"only relative folders", {{"XDG_DATA_DIRS", "share:.:"}, {"PATH", "bin::."}}, defaults, {}},
        {"in order, trailing slashes dropped",
         {{"XDG_DATA_DIRS", "/opt/share/:relative:/usr/share"}, {"PATH", "/usr/local/bin:/usr/bin//:/:bin"}},
         {"/opt/share", "/usr/share"},
         {"/usr/local/bin", "/usr/bin", "/"}},
    };
    for (const ListCase& c : cases) {
        const XdgFolders folders = FindXdgFolders(LookupIn(c.environment));
        EXPECT_EQ(folders.dataDirs, c.dataDirs) << c.what;
        EXPECT_EQ(folders.commandFolders, c.commandFolders) << c.what;
    }
    XdgFolders shared;
    shared.dataDirs = {"/", "/usr/share"};
    EXPECT_EQ(shared.SharedApplicationsFolders(),
              (std::vector<std::string>{"/applications", "/usr/share/applications"}));
}

TEST(XdgFoldersTest, TheProcessEnvironmentIsLookedUp) {
    ASSERT_EQ(setenv("TOCKBELL_XDG_TEST", "/some where", 1), 0);
    EXPECT_EQ(ProcessEnvironment("TOCKBELL_XDG_TEST"), "/some where");
    ASSERT_EQ(unsetenv("TOCKBELL_XDG_TEST"), 0);
    EXPECT_EQ(ProcessEnvironment("TOCKBELL_XDG_TEST"), std::nullopt);
}

}  // namespace
}  // namespace tockbell
