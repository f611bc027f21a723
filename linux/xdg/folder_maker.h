#pragma once

#include <string>

namespace tockbell {

// Makes a folder and every missing folder above it, for the files the program writes.
class FolderMaker {
public:
    virtual ~FolderMaker() = default;
    // True when `path` is a folder afterwards, made now or before.
    virtual bool MakeFolders(const std::string& path) = 0;
};

// mkdir -p. New folders are the user's alone (0700), as the freedesktop base directories ask of a
// folder made in them; folders that exist keep their modes.
class PosixFolderMaker : public FolderMaker {
public:
    bool MakeFolders(const std::string& path) override;
};

}  // namespace tockbell
