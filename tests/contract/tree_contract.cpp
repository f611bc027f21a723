#include "tests/contract/tree_contract.h"

#include <string>
#include <vector>

namespace tockbell {

namespace {

// Sections as their text, items indented by two blanks, walked as the editor walks the tree.
std::vector<std::string> Lines(TreeControl& tree) {
    std::vector<std::string> lines;
    for (TreeNode section = tree.FirstChild(nullptr); section; section = tree.Next(section)) {
        EXPECT_EQ(tree.Parent(section), nullptr);
        lines.push_back(tree.Text(section, std::string::npos));
        for (TreeNode item = tree.FirstChild(section); item; item = tree.Next(item)) {
            EXPECT_EQ(tree.Parent(item), section);
            lines.push_back("  " + tree.Text(item, std::string::npos));
        }
    }
    return lines;
}

TEST_P(TreeContract, InsertsFirstLastAndAfterASibling) {
    EXPECT_EQ(tree->FirstChild(nullptr), nullptr);
    const TreeNode friday = tree->Insert(nullptr, "Friday", TreeControl::Where::Last);
    const TreeNode everyday = tree->Insert(nullptr, "Everyday", TreeControl::Where::First);
    tree->Insert(nullptr, "Today", TreeControl::Where::After, everyday);
    const TreeNode b = tree->Insert(friday, "08:00=b.wav", TreeControl::Where::Last);
    tree->Insert(friday, "07:00=a.wav", TreeControl::Where::First);
    tree->Insert(friday, "09:00=c.wav", TreeControl::Where::After, b);
    tree->Insert(friday, "10:00=d.wav", TreeControl::Where::Last);
    EXPECT_EQ(Lines(*tree), (std::vector<std::string>{"Everyday", "Today", "Friday", "  07:00=a.wav", "  08:00=b.wav",
                                                      "  09:00=c.wav", "  10:00=d.wav"}));
    EXPECT_EQ(tree->FirstChild(everyday), nullptr);
}

TEST_P(TreeContract, DeletesANodeWithItsChildrenOrEverything) {
    const TreeNode everyday = tree->Insert(nullptr, "Everyday", TreeControl::Where::Last);
    const TreeNode friday = tree->Insert(nullptr, "Friday", TreeControl::Where::Last);
    const TreeNode a = tree->Insert(everyday, "07:00=a.wav", TreeControl::Where::Last);
    tree->Insert(everyday, "08:00=b.wav", TreeControl::Where::Last);
    tree->Insert(friday, "09:00=c.wav", TreeControl::Where::Last);
    tree->Delete(a);
    EXPECT_EQ(Lines(*tree), (std::vector<std::string>{"Everyday", "  08:00=b.wav", "Friday", "  09:00=c.wav"}));
    tree->Delete(everyday);
    EXPECT_EQ(Lines(*tree), (std::vector<std::string>{"Friday", "  09:00=c.wav"}));
    tree->DeleteAll();
    EXPECT_TRUE(Lines(*tree).empty());
    EXPECT_EQ(tree->Selected(), nullptr);
}

TEST_P(TreeContract, TextsAreReadWholeOrCutAndReplaced) {
    const std::string longText = "07:30=" + std::string(300, 'x') + ".wav";
    const TreeNode section = tree->Insert(nullptr, "Everyday", TreeControl::Where::Last);
    const TreeNode item = tree->Insert(section, longText, TreeControl::Where::Last);
    EXPECT_EQ(tree->Text(item, std::string::npos), longText);
    EXPECT_EQ(tree->Text(item, 5), "07:30");
    EXPECT_EQ(tree->Text(item, 0), "");
    tree->SetText(section, "Friday");
    tree->SetBold(section);
    EXPECT_EQ(tree->Text(section, std::string::npos), "Friday");
    tree->SetText(item, "");
    EXPECT_EQ(tree->Text(item, std::string::npos), "");
}

TEST_P(TreeContract, TheSelectionIsTheNodeLastSelected) {
    EXPECT_EQ(tree->Selected(), nullptr);
    const TreeNode section = tree->Insert(nullptr, "Everyday", TreeControl::Where::Last);
    const TreeNode item = tree->Insert(section, "07:30=a.wav", TreeControl::Where::Last);
    tree->Expand(section);
    tree->Select(item);
    EXPECT_EQ(tree->Selected(), item);
    tree->Select(section);
    EXPECT_EQ(tree->Selected(), section);
    // Drawing held and released, a drop mark and a scroll leave the tree and its selection.
    tree->HoldDrawing(true);
    tree->Insert(section, "08:00=b.wav", TreeControl::Where::Last);
    tree->HoldDrawing(false);
    tree->SetDropHighlight(item);
    tree->SetDropHighlight(nullptr);
    tree->ScrollRows(1);
    tree->ScrollRows(-1);
    EXPECT_EQ(tree->Selected(), section);
    EXPECT_EQ(Lines(*tree), (std::vector<std::string>{"Everyday", "  07:30=a.wav", "  08:00=b.wav"}));
}

}  // namespace

}  // namespace tockbell
