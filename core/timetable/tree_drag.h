#pragma once

#include <cstdint>
#include <optional>

#include "platform/tree_control.h"

namespace tockbell {

// The cursors of a drag; the arrow means that no drag is in progress.
enum class DragCursor : std::int32_t { Arrow, Copy, NoDrop, Move };

// Where the pointer is, seen from the tree: over its client area, or above or below it.
enum class PointerPlace { Inside, Above, Below };

// Dragging an item to another place of the tree: Shift at the start makes it a copy.
class TreeDrag {
public:
    explicit TreeDrag(TreeControl& tree) : tree_(tree) {}

    bool Dragging() const { return m_cursor != DragCursor::Arrow; }

    // Sections are not dragged. The cursor to show, when a drag has begun.
    std::optional<DragCursor> Begin(TreeNode node, bool shiftDown);
    // `hit` is the node under the pointer, if any. The cursor to show, when it changes.
    std::optional<DragCursor> MoveOver(TreeNode hit, PointerPlace place);
    // Ends the drag; false when there was nothing to drop on (the tree is unchanged).
    bool Drop();

    DragCursor m_dragCursor = DragCursor::Move;
    DragCursor m_cursor = DragCursor::Arrow;
    TreeNode m_dragItem = nullptr;
    TreeNode m_dropTarget = nullptr;

private:
    std::optional<DragCursor> Show(DragCursor cursor);

    TreeControl& tree_;
};

}  // namespace tockbell
