#include "linux/xdg/xdg_folders.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace tockbell {

namespace {

std::optional<std::string> AbsoluteVariable(const EnvironmentLookup& environment, const std::string& name) {
    std::optional<std::string> value = environment(name);
    if (!value || value->empty() || value->front() != '/') return std::nullopt;
    return value;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::optional<std::string> BaseFolder(const EnvironmentLookup& environment, const std::string& variable,
                                      const std::string& belowHome) {
    if (std::optional<std::string> folder = AbsoluteVariable(environment, variable)) return folder;
    if (const std::optional<std::string> home = AbsoluteVariable(environment, "HOME")) return Join(*home, belowHome);
    return std::nullopt;
}

std::optional<std::string> Below(const std::optional<std::string>& folder, const std::string& name) {
    if (!folder) return std::nullopt;
    return Join(*folder, name);
}

// The absolute folders of a colon-separated list.
std::vector<std::string> AbsoluteFolders(const std::optional<std::string>& list) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (list && start <= list->size()) {
        const std::size_t end = std::min(list->find(':', start), list->size());
        std::string folder = list->substr(start, end - start);
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        if (!folder.empty() && folder.front() == '/') folders.push_back(std::move(folder));
        start = end + 1;
    }
    return folders;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> XdgFolders::ProgramFolder() const { return Below(configHome, "tockbell"); }

std::optional<std::string> XdgFolders::FilesBase() const { return Below(ProgramFolder(), "tockbell"); }

std::optional<std::string> XdgFolders::AutostartFolder() const { return Below(configHome, "autostart"); }

std::optional<std::string> XdgFolders::ApplicationsFolder() const { return Below(dataHome, "applications"); }

std::vector<std::string> XdgFolders::SharedApplicationsFolders() const {
    std::vector<std::string> folders;
    for (const std::string& folder : dataDirs) folders.push_back(Join(folder, "applications"));
    return folders;
}

XdgFolders FindXdgFolders(const EnvironmentLookup& environment) {
    std::vector<std::string> dataDirs = AbsoluteFolders(environment("XDG_DATA_DIRS"));
    if (dataDirs.empty()) dataDirs = XdgFolders::DefaultDataDirs();
    return XdgFolders{BaseFolder(environment, "XDG_CONFIG_HOME", ".config"),
                      BaseFolder(environment, "XDG_DATA_HOME", ".local/share"), std::move(dataDirs),
                      AbsoluteFolders(environment("PATH"))};
}

}  // namespace tockbell
