#pragma once

#include <algorithm>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/tree_control.h"

namespace tockbell {

// A tree in memory that remembers what a user would see: texts, bold, expanded sections, the
// selection, the node being edited, the drop mark and the rows scrolled.
class FakeTreeControl : public TreeControl {
public:
    struct Node {
        std::string text;
        bool bold = false;
        bool expanded = false;
        Node* parent = nullptr;
        std::list<std::unique_ptr<Node>> children;
    };

    TreeNode editing = nullptr;
    TreeNode dropHighlight = nullptr;
    int scrolledRows = 0;
    bool drawingHeld = false;

    TreeNode Insert(TreeNode parent, std::string_view text, Where where, TreeNode sibling = nullptr) override {
        Node& owner = parent ? Mutable(parent) : root_;
        auto node = std::make_unique<Node>();
        node->text = std::string(text);
        node->parent = parent ? &owner : nullptr;
        auto place = where == Where::First ? owner.children.begin() : owner.children.end();
        if (where == Where::After) place = std::next(Find(owner, sibling));
        return Handle(*owner.children.insert(place, std::move(node))->get());
    }
    // The selection moves as the common control moves it: to the next sibling, else the parent,
    // else the previous sibling.
    void Delete(TreeNode node) override {
        Node& owner = Owner(node);
        const auto place = Find(owner, node);
        if (selected_ && (selected_ == node || Parent(selected_) == node)) {
            if (std::next(place) != owner.children.end()) {
                selected_ = Handle(**std::next(place));
            } else if (Mutable(node).parent) {
                selected_ = Parent(node);
            } else {
                selected_ = place == owner.children.begin() ? nullptr : Handle(**std::prev(place));
            }
        }
        if (editing == node || (editing && Parent(editing) == node)) editing = nullptr;
        owner.children.erase(place);
    }
    void DeleteAll() override {
        root_.children.clear();
        selected_ = editing = dropHighlight = nullptr;
    }

    TreeNode FirstChild(TreeNode parent) override {
        const Node& owner = parent ? Mutable(parent) : root_;
        return owner.children.empty() ? nullptr : Handle(*owner.children.front());
    }
    TreeNode Next(TreeNode node) override {
        Node& owner = Owner(node);
        const auto next = std::next(Find(owner, node));
        return next == owner.children.end() ? nullptr : Handle(**next);
    }
    TreeNode Parent(TreeNode node) override { return Handle(Mutable(node).parent); }
    TreeNode Selected() override { return selected_; }

    std::string Text(TreeNode node, std::size_t maxChars) override { return Mutable(node).text.substr(0, maxChars); }
    void SetText(TreeNode node, std::string_view text) override { Mutable(node).text = std::string(text); }
    void SetBold(TreeNode node) override { Mutable(node).bold = true; }

    void Select(TreeNode node) override { selected_ = node; }
    void Expand(TreeNode node) override { Mutable(node).expanded = true; }
    void EditLabel(TreeNode node) override { editing = node; }
    void SetDropHighlight(TreeNode node) override { dropHighlight = node; }
    void ScrollRows(int rows) override { scrolledRows += rows; }
    void HoldDrawing(bool hold) override { drawingHeld = hold; }

    static Node& Mutable(TreeNode node) { return *const_cast<Node*>(reinterpret_cast<const Node*>(node)); }

    // The tree as lines: a section as its text ("*" in front when bold), an item indented by two blanks.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const auto& section : root_.children) {
            lines.push_back((section->bold ? "*" : "") + section->text);
            for (const auto& item : section->children) lines.push_back("  " + item->text);
        }
        return lines;
    }

    // The n-th node of the root level, or the m-th item of it.
    TreeNode At(std::size_t section) { return Handle(*std::next(root_.children.begin(), static_cast<long>(section))->get()); }
    TreeNode At(std::size_t section, std::size_t item) {
        Node& owner = Mutable(At(section));
        return Handle(*std::next(owner.children.begin(), static_cast<long>(item))->get());
    }

private:
    static TreeNode Handle(const Node* node) { return reinterpret_cast<TreeNode>(node); }
    static TreeNode Handle(const Node& node) { return Handle(&node); }
    Node& Owner(TreeNode node) { return Mutable(node).parent ? *Mutable(node).parent : root_; }
    static std::list<std::unique_ptr<Node>>::iterator Find(Node& owner, TreeNode node) {
        return std::find_if(owner.children.begin(), owner.children.end(),
                            [&](const std::unique_ptr<Node>& child) { return Handle(*child) == node; });
    }

    Node root_;
    TreeNode selected_ = nullptr;
};

}  // namespace tockbell
