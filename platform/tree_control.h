#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tockbell {

// A node of a tree control: the platform's own handle; null is none (and, as a parent, the root).
struct TreeNodeTag;
using TreeNode = const TreeNodeTag*;

// The two-level tree control of the time-table editor: nodes carry only a text, and sections may be
// shown bold. The end of an in-place edit comes back from the control to the editor.
class TreeControl {
public:
    enum class Where { First, Last, After };

    virtual ~TreeControl() = default;

    // Under `parent` first, last, or right after `sibling`; returns the new node.
    virtual TreeNode Insert(TreeNode parent, std::string_view text, Where where, TreeNode sibling = nullptr) = 0;
    // With its children.
    virtual void Delete(TreeNode node) = 0;
    virtual void DeleteAll() = 0;

    virtual TreeNode FirstChild(TreeNode parent) = 0;
    virtual TreeNode Next(TreeNode node) = 0;
    virtual TreeNode Parent(TreeNode node) = 0;
    virtual TreeNode Selected() = 0;

    // At most `maxChars` characters of the text.
    virtual std::string Text(TreeNode node, std::size_t maxChars) = 0;
    virtual void SetText(TreeNode node, std::string_view text) = 0;
    virtual void SetBold(TreeNode node) = 0;

    virtual void Select(TreeNode node) = 0;
    virtual void Expand(TreeNode node) = 0;
    virtual void EditLabel(TreeNode node) = 0;
    // The mark of a drop target during a drag; none removes it.
    virtual void SetDropHighlight(TreeNode node) = 0;
    // Positive rows scroll the view down, negative ones up; the selection stays.
    virtual void ScrollRows(int rows) = 0;
    // While held, changes are not drawn one by one; the release draws the tree once.
    virtual void HoldDrawing(bool hold) = 0;
};

}  // namespace tockbell
