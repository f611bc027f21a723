#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/tree_control.h"

namespace tockbell {

// What the time-table editor relies on of a tree control, run against every implementation: the
// fake in memory, the common tree view under Wine and the Qt tree.
struct TreeImplementation {
    std::string name;
    std::function<std::unique_ptr<TreeControl>()> make;

    friend void PrintTo(const TreeImplementation& implementation, std::ostream* out) { *out << implementation.name; }
};

class TreeContract : public testing::TestWithParam<TreeImplementation> {
protected:
    void SetUp() override { tree = GetParam().make(); }

    std::unique_ptr<TreeControl> tree;
};

}  // namespace tockbell
