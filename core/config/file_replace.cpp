#include "core/config/file_replace.h"

namespace tockbell {

bool ReplaceFileContents(FileSystem& files, const std::string& path, std::string_view content) {
    const std::string temporary = path + ".new";
    if (!files.Write(temporary, content)) {
        files.Remove(temporary);
        return files.Write(path, content);
    }
    if (files.Replace(temporary, path)) return true;
    files.Remove(temporary);
    return false;
}

}  // namespace tockbell
