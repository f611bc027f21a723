#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace tockbell {

// Files in memory. A power cut can be set for the n-th step that changes the disk: that step does
// what a real one may have done by then (half of a write, nothing of a replace or a removal) and
// throws PowerCut.
class FakeFileSystem : public FileSystem {
public:
    struct PowerCut {};

    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;     // exist but cannot be opened for reading
    std::set<std::string> readOnlyFolders;  // no new file can be made in them
    std::size_t freeBytes = SIZE_MAX;         // a write beyond them stops there and fails

    void CutPowerAtStep(int step) { cutAtStep_ = step; }
    int StepsTaken() const { return steps_; }

    ReadResult Read(const std::string& path) override {
        if (unreadable.count(path)) return {ReadStatus::Unreadable, {}};
        const auto found = files.find(path);
        if (found == files.end()) return {ReadStatus::Missing, {}};
        return {ReadStatus::Ok, found->second};
    }

    bool Write(const std::string& path, std::string_view content) override {
        if (!files.count(path) && readOnlyFolders.count(Folder(path))) return false;
        if (TakeStep()) {
            files[path] = std::string(content.substr(0, content.size() / 2));
            throw PowerCut{};
        }
        const bool fits = content.size() <= freeBytes;
        files[path] = std::string(content.substr(0, freeBytes));
        return fits;
    }

    bool Replace(const std::string& from, const std::string& to) override {
        const auto found = files.find(from);
        if (found == files.end()) return false;
        if (TakeStep()) throw PowerCut{};
        files[to] = found->second;
        files.erase(from);
        return true;
    }

    bool Remove(const std::string& path) override {
        if (TakeStep()) throw PowerCut{};
        files.erase(path);
        return true;
    }

private:
    static std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }
    bool TakeStep() { return ++steps_ == cutAtStep_; }

    int steps_ = 0;
    int cutAtStep_ = 0;
};

}  // namespace tockbell
