#include "linux/xdg/folder_maker.h"

#include <sys/stat.h>

#include <cerrno>

namespace tockbell {

namespace {

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool PosixFolderMaker::MakeFolders(const std::string& path) {
    if (path.empty()) return false;
    // Every prefix that ends before a "/", then the whole path; a folder that exists is passed over.
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return IsFolder(path);
}

}  // namespace tockbell
