#include "core/timetable/tree_drag.h"

#include <gtest/gtest.h>

#include "platform/fakes/fake_tree_control.h"

namespace tockbell {
namespace {

// A section index and an item index; -1 for the item means the section itself, -1 for both nothing.
using Place = std::pair<int, int>;

// A: a1, a2, a3; B: b1.
struct DragTree {
    DragTree() {
        for (const auto& [title, items] : std::vector<std::pair<const char*, std::vector<const char*>>>{
                 {"A", {"a1", "a2", "a3"}}, {"B", {"b1"}}}) {
            const TreeNode section = tree.Insert(nullptr, title, TreeControl::Where::Last);
            for (const char* item : items) tree.Insert(section, item, TreeControl::Where::Last);
        }
    }
    TreeNode At(Place place) {
        if (place.first < 0) return nullptr;
        const auto section = static_cast<std::size_t>(place.first);
        return place.second < 0 ? tree.At(section) : tree.At(section, static_cast<std::size_t>(place.second));
    }

    FakeTreeControl tree;
    TreeDrag drag{tree};
};

const std::vector<std::string> kUnchanged{"A", "  a1", "  a2", "  a3", "B", "  b1"};

std::vector<std::string> Plus(std::vector<std::string> lines, const char* line) {
    lines.push_back(line);
    return lines;
}

TEST(TreeDrag, DropsMoveOrCopyRightAfterAnItemOrFirstInASection) {
    struct Case {
        const char* name;
        Place from;
        bool shift;
        Place onto;
        bool dropped;
        std::vector<std::string> lines;
        Place selected;
    };
    for (const Case& c : std::vector<Case>{
             {"move onto an item", {0, 0}, false, {1, 0}, true, {"A", "  a2", "  a3", "B", "  b1", "  a1"}, {1, 1}},
             {"copy with Shift", {0, 0}, true, {1, 0}, true, Plus(kUnchanged, "  a1"), {1, 1}},
             {"move onto a section", {0, 0}, false, {1, -1}, true, {"A", "  a2", "  a3", "B", "  a1", "  b1"}, {1, 0}},
             {"onto its own section", {0, 2}, false, {0, -1}, true, {"A", "  a3", "  a1", "  a2", "B", "  b1"}, {0, 0}},
             {"onto the next item", {0, 0}, false, {0, 1}, true, {"A", "  a2", "  a1", "  a3", "B", "  b1"}, {0, 1}},
             {"onto itself", {0, 1}, false, {0, 1}, false, kUnchanged, {0, 1}},
             {"onto nothing", {0, 1}, true, {-1, -1}, false, kUnchanged, {0, 1}},
         }) {
        DragTree t;
        ASSERT_EQ(t.drag.Begin(t.At(c.from), c.shift), c.shift ? DragCursor::Copy : DragCursor::Move);
        t.drag.MoveOver(t.At(c.onto), PointerPlace::Inside);
        EXPECT_EQ(t.drag.Drop(), c.dropped) << c.name;
        EXPECT_EQ(t.tree.Lines(), c.lines) << c.name;
        EXPECT_EQ(t.tree.Selected(), t.At(c.selected)) << c.name;
        if (c.dropped) {
            EXPECT_TRUE(FakeTreeControl::Mutable(t.tree.Parent(t.tree.Selected())).expanded) << c.name;
        }
        EXPECT_FALSE(t.drag.Dragging()) << c.name;
        EXPECT_EQ(t.tree.dropHighlight, nullptr) << c.name;
    }
}

TEST(TreeDrag, ASectionIsNotDragged) {
    DragTree t;
    EXPECT_EQ(t.drag.Begin(t.At({1, -1}), false), std::nullopt);
    EXPECT_FALSE(t.drag.Dragging());
    EXPECT_EQ(t.drag.MoveOver(t.At({0, 0}), PointerPlace::Inside), std::nullopt);
    EXPECT_EQ(t.tree.dropHighlight, nullptr);
    t.drag.Drop();
    EXPECT_EQ(t.tree.Lines(), kUnchanged);
    EXPECT_EQ(t.tree.Selected(), nullptr);
}

TEST(TreeDrag, MovesScrollOneRowPastAnEdgeAndChangeTheCursorOnlyWhenAnotherShows) {
    DragTree t;
    struct Step {
        Place hit;
        PointerPlace place;
        std::optional<DragCursor> shown;
        int scrolled;
    };
    ASSERT_EQ(t.drag.Begin(t.At({0, 0}), false), DragCursor::Move);
    EXPECT_EQ(t.tree.Selected(), t.At({0, 0}));
    int number = 0;
    for (const Step& step : std::vector<Step>{
             {{1, 0}, PointerPlace::Inside, std::nullopt, 0},
             {{-1, -1}, PointerPlace::Below, DragCursor::NoDrop, 1},
             {{-1, -1}, PointerPlace::Below, std::nullopt, 2},
             {{-1, -1}, PointerPlace::Above, std::nullopt, 1},
             {{-1, -1}, PointerPlace::Inside, std::nullopt, 1},
             {{0, 1}, PointerPlace::Inside, DragCursor::Move, 1},
             {{1, -1}, PointerPlace::Inside, std::nullopt, 1},
         }) {
        ++number;
        EXPECT_EQ(t.drag.MoveOver(t.At(step.hit), step.place), step.shown) << "step " << number;
        EXPECT_EQ(t.tree.scrolledRows, step.scrolled) << "step " << number;
        EXPECT_EQ(t.drag.m_dropTarget, t.At(step.hit)) << "step " << number;
        if (step.hit.first >= 0) {
            EXPECT_EQ(t.tree.dropHighlight, t.At(step.hit)) << "step " << number;
        }
    }
    EXPECT_EQ(t.drag.m_dragCursor, DragCursor::Move);
}

}  // namespace
}  // namespace tockbell
