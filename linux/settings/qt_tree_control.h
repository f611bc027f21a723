#pragma once

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "platform/tree_control.h"

namespace tockbell {

// The tree over a QTreeWidget of one column. Each node also tells a screen reader its level, its
// section and whether Save would refuse it.
class QtTreeControl : public TreeControl {
public:
    explicit QtTreeControl(QTreeWidget& tree) : tree_(tree) {}

    QTreeWidget& Widget() { return tree_; }

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

    // What a screen reader says of a node besides its text; run again when its text changed.
    void Describe(QTreeWidgetItem* item);

    static QTreeWidgetItem* Item(TreeNode node) {
        return reinterpret_cast<QTreeWidgetItem*>(const_cast<TreeNodeTag*>(node));
    }
    static TreeNode Node(QTreeWidgetItem* item) { return reinterpret_cast<TreeNode>(item); }

private:
    QTreeWidget& tree_;
    QTreeWidgetItem* dropHighlight_ = nullptr;
};

}  // namespace tockbell
