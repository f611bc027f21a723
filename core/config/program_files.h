#pragma once

#include <string>
#include <utility>

#include "core/config/sibling_path.h"

namespace tockbell {

// The files the program keeps, all named from one base: the executable's own path on Windows
// ("C:\Tockbell\tockbell.exe"), "<config>/tockbell/tockbell" on Linux. Each is the base with its
// extension replaced.
class ProgramFiles {
public:
    explicit ProgramFiles(std::string base) : base_(std::move(base)) {}

    // Relative sound names of the time-table are taken beside it.
    const std::string& Base() const { return base_; }
    std::string Settings() const { return SiblingPath(base_, ".ini"); }
    std::string Backup() const { return SiblingPath(base_, ".bak"); }
    std::string Voice() const { return SiblingPath(base_, ".wav"); }
    std::string Notes() const { return SiblingPath(base_, ".txt"); }

private:
    std::string base_;
};

}  // namespace tockbell
