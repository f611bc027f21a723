#pragma once

#include <string_view>

#include "platform/tree_control.h"

namespace tockbell {

// Puts an item where a node points: right after an item, in its section, or first in a section.
// The section opens and the new item becomes the selection.
TreeNode InsertItemAt(TreeControl& tree, TreeNode target, std::string_view text);

}  // namespace tockbell
