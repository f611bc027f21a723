#include "core/config/file_replace.h"

namespace tockbell {

std::string TemporarySibling(const std::string& path) { return path + ".new"; }

bool ReplaceFileContents(FileSystem& files, const std::string& path, std::string_view content) {
    const std::string temporary = TemporarySibling(path);
    if (!files.Write(temporary, content)) {
        // Made but not written whole (a full disk): the old file must stay as it is.
        const bool made = files.Read(temporary).status != FileSystem::ReadStatus::Missing;
        files.Remove(temporary);
        return !made && files.Write(path, content);
    }
    if (files.Replace(temporary, path)) return true;
    files.Remove(temporary);
    return false;
}

}  // namespace tockbell
