#include "linux/settings/qt_tree_control.h"

#include <QPalette>
#include <QScrollBar>

#include "core/timetable/timetable_words.h"

namespace tockbell {

namespace {

std::string TextOf(const QTreeWidgetItem* item) { return item->text(0).toStdString(); }

QTreeWidgetItem* ChildAt(QTreeWidget& tree, QTreeWidgetItem* parent, int index) {
    if (index < 0) return nullptr;
    if (parent) return index < parent->childCount() ? parent->child(index) : nullptr;
    return index < tree.topLevelItemCount() ? tree.topLevelItem(index) : nullptr;
}

int IndexOf(QTreeWidget& tree, QTreeWidgetItem* item) {
    return item->parent() ? item->parent()->indexOfChild(item) : tree.indexOfTopLevelItem(item);
}

}  // namespace

TreeNode QtTreeControl::Insert(TreeNode parent, std::string_view text, Where where, TreeNode sibling) {
    auto* item = new QTreeWidgetItem(QStringList(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    QTreeWidgetItem* owner = Item(parent);
    const int count = owner ? owner->childCount() : tree_.topLevelItemCount();
    const int index = where == Where::First ? 0 : where == Where::Last ? count : IndexOf(tree_, Item(sibling)) + 1;
    if (owner) {
        owner->insertChild(index, item);
    } else {
        tree_.insertTopLevelItem(index, item);
    }
    Describe(item);
    return Node(item);
}

void QtTreeControl::Delete(TreeNode node) {
    QTreeWidgetItem* item = Item(node);
    if (item == dropHighlight_ || (dropHighlight_ && dropHighlight_->parent() == item)) dropHighlight_ = nullptr;
    delete item;
}

void QtTreeControl::DeleteAll() {
    dropHighlight_ = nullptr;
    tree_.clear();
}

TreeNode QtTreeControl::FirstChild(TreeNode parent) { return Node(ChildAt(tree_, Item(parent), 0)); }

TreeNode QtTreeControl::Next(TreeNode node) {
    QTreeWidgetItem* item = Item(node);
    return Node(ChildAt(tree_, item->parent(), IndexOf(tree_, item) + 1));
}

TreeNode QtTreeControl::Parent(TreeNode node) { return Node(Item(node)->parent()); }

TreeNode QtTreeControl::Selected() {
    QTreeWidgetItem* current = tree_.currentItem();
    return current && current->isSelected() ? Node(current) : nullptr;
}

std::string QtTreeControl::Text(TreeNode node, std::size_t maxChars) { return TextOf(Item(node)).substr(0, maxChars); }

void QtTreeControl::SetText(TreeNode node, std::string_view text) {
    QTreeWidgetItem* item = Item(node);
    item->setText(0, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    Describe(item);
    for (int i = 0; i < item->childCount(); ++i) Describe(item->child(i));
}

void QtTreeControl::SetBold(TreeNode node) {
    QFont font = tree_.font();
    font.setBold(true);
    Item(node)->setFont(0, font);
}

void QtTreeControl::Select(TreeNode node) {
    if (!node) {
        tree_.setCurrentItem(nullptr);
        return;
    }
    tree_.setCurrentItem(Item(node));
    tree_.scrollToItem(Item(node));
}

void QtTreeControl::Expand(TreeNode node) {
    if (node) Item(node)->setExpanded(true);
}

void QtTreeControl::EditLabel(TreeNode node) {
    QTreeWidgetItem* item = Item(node);
    if (item->parent()) item->parent()->setExpanded(true);
    tree_.setCurrentItem(item);
    tree_.scrollToItem(item);
    tree_.editItem(item, 0);
}

void QtTreeControl::SetDropHighlight(TreeNode node) {
    if (dropHighlight_) dropHighlight_->setData(0, Qt::BackgroundRole, QVariant());
    dropHighlight_ = Item(node);
    if (dropHighlight_) dropHighlight_->setBackground(0, tree_.palette().brush(QPalette::Highlight));
}

void QtTreeControl::ScrollRows(int rows) {
    QScrollBar* bar = tree_.verticalScrollBar();
    bar->setValue(bar->value() + rows * (tree_.verticalScrollMode() == QAbstractItemView::ScrollPerItem ? 1 : 20));
}

void QtTreeControl::HoldDrawing(bool hold) { tree_.setUpdatesEnabled(!hold); }

void QtTreeControl::Describe(QTreeWidgetItem* item) {
    const std::string text = TextOf(item);
    QString description;
    if (item->parent()) {
        const bool valid = IsValidItemText(text);
        description = QStringLiteral("item of %1, level 2%2")
                          .arg(item->parent()->text(0), valid ? QString() : QStringLiteral(", invalid"));
    } else {
        description = QStringLiteral("section, level 1%1")
                          .arg(IsValidSectionTitle(text) ? QString() : QStringLiteral(", invalid"));
    }
    item->setData(0, Qt::AccessibleDescriptionRole, description);
}

}  // namespace tockbell
