#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tockbell {

// Gives `path` the new content in one step: the content goes to a temporary file beside it first,
// which then takes the old file's place, so that a crash leaves either the old or the new file.
// Where no file can be made beside it (a read-only folder with a writable file), the file is
// written in place; where the new content does not fit on the disk, nothing changes. False when
// the new content is not in place.
bool ReplaceFileContents(FileSystem& files, const std::string& path, std::string_view content);

// The file beside `path` that is made whole before it takes the place of `path`.
std::string TemporarySibling(const std::string& path);

}  // namespace tockbell
