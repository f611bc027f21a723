#pragma once

#include <windows.h>

#include <commctrl.h>

#include "platform/tree_control.h"

namespace tockbell {

// The tree over a common tree-view control ("SysTreeView32").
class Win32TreeControl : public TreeControl {
public:
    explicit Win32TreeControl(HWND tree) : tree_(tree) {}

    HWND Window() const { return tree_; }
    // While the control reports the end of an edit it still uses the edited node afterwards: a
    // node deleted meanwhile goes once the report is done.
    void PostponeDeletes(bool postpone) { postponeDeletes_ = postpone; }

    TreeNode Insert(TreeNode parent, std::string_view text, Where where, TreeNode sibling) override;
    void Delete(TreeNode node) override;
    void DeleteAll() override;
    TreeNode FirstChild(TreeNode parent) override;
    TreeNode Next(TreeNode node) override;
    TreeNode Parent(TreeNode node) override;
    TreeNode Selected() override;
    std::string Text(TreeNode node, std::size_t maxChars) override;
    void SetText(TreeNode node, std::string_view text) override;
    void SetBold(TreeNode node) override;
    void Select(TreeNode node) override;
    void Expand(TreeNode node) override;
    void EditLabel(TreeNode node) override;
    void SetDropHighlight(TreeNode node) override;
    void ScrollRows(int rows) override;
    void HoldDrawing(bool hold) override;

    static HTREEITEM Item(TreeNode node) { return reinterpret_cast<HTREEITEM>(const_cast<TreeNodeTag*>(node)); }
    static TreeNode Node(HTREEITEM item) { return reinterpret_cast<TreeNode>(item); }

private:
    TreeNode Related(TreeNode node, UINT relation);

    HWND tree_;
    bool postponeDeletes_ = false;
};

}  // namespace tockbell
