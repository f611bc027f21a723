#include "core/timetable/tree_insert.h"

namespace tockbell {

TreeNode InsertItemAt(TreeControl& tree, TreeNode target, std::string_view text) {
    const TreeNode section = tree.Parent(target);
    const TreeNode inserted = section ? tree.Insert(section, text, TreeControl::Where::After, target)
                                      : tree.Insert(target, text, TreeControl::Where::First);
    tree.Expand(section ? section : target);
    tree.Select(inserted);
    return inserted;
}

}  // namespace tockbell
