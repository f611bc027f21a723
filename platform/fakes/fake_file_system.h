#pragma once

#include <cstdint>
#include <functional>
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
    bool coarseStamps = false;                // write times too coarse to tell apart: stamped by size alone

    void CutPowerAtStep(int step) { cutAtStep_ = step; }
    int StepsTaken() const { return steps_; }
    int ReadsOf(const std::string& path) const {
        const auto found = reads_.find(path);
        return found == reads_.end() ? 0 : found->second;
    }

    ReadResult Read(const std::string& path) override {
        ++reads_[path];
        if (unreadable.count(path)) return {ReadStatus::Unreadable, {}};
        const auto found = files.find(path);
        if (found == files.end()) return {ReadStatus::Missing, {}};
        return {ReadStatus::Ok, found->second};
    }

    // The content's hash stands for the write time, so that a test may change `files` directly.
    std::optional<Stamp> StampOf(const std::string& path) override {
        const auto found = files.find(path);
        if (found == files.end() || unreadable.count(path)) return std::nullopt;
        const std::size_t time = coarseStamps ? 0 : std::hash<std::string>{}(found->second);
        return Stamp{found->second.size(), static_cast<std::int64_t>(time)};
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

    std::map<std::string, int> reads_;
    int steps_ = 0;
    int cutAtStep_ = 0;
};

}  // namespace tockbell
