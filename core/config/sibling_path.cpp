#include "core/config/sibling_path.h"

namespace tockbell {

std::string SiblingPath(std::string_view programPath, std::string_view name) {
    // Windows takes "/" as well as "\"; a dot in a folder's name is no extension.
    const std::size_t slash = programPath.find_last_of("\\/");
    const std::size_t fileStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t keep = fileStart;
    if (!name.empty() && name.front() == '.') {
        const std::size_t dot = programPath.rfind('.');
        keep = dot != std::string_view::npos && dot >= fileStart ? dot : programPath.size();
    }
    std::string path(programPath.substr(0, keep));
    path.append(name);
    return path;
}

}  // namespace tockbell
