#include "core/timetable/tree_drag.h"

#include <string>

#include "core/timetable/tree_insert.h"

namespace tockbell {

std::optional<DragCursor> TreeDrag::Begin(TreeNode node, bool shiftDown) {
    if (!node || !tree_.Parent(node)) return std::nullopt;
    m_dropTarget = nullptr;
    m_dragItem = node;
    tree_.Select(node);
    m_dragCursor = shiftDown ? DragCursor::Copy : DragCursor::Move;
    m_cursor = m_dragCursor;
    return m_cursor;
}

std::optional<DragCursor> TreeDrag::MoveOver(TreeNode hit, PointerPlace place) {
    if (!Dragging()) return std::nullopt;
    if (hit) {
        tree_.SetDropHighlight(hit);
        m_dropTarget = hit;
        return Show(m_dragCursor);
    }
    // One row per movement: the tree scrolls only while the pointer moves past its edge.
    if (place == PointerPlace::Below) {
        tree_.ScrollRows(1);
    } else if (place == PointerPlace::Above) {
        tree_.ScrollRows(-1);
    }
    m_dropTarget = nullptr;
    return Show(DragCursor::NoDrop);
}

bool TreeDrag::Drop() {
    if (!Dragging()) return true;
    const bool dropped = m_dropTarget && m_dropTarget != m_dragItem;
    if (dropped) {
        const std::string text = tree_.Text(m_dragItem, std::string::npos);
        if (m_dragCursor == DragCursor::Move) tree_.Delete(m_dragItem);
        InsertItemAt(tree_, m_dropTarget, text);
    }
    m_cursor = DragCursor::Arrow;
    tree_.SetDropHighlight(nullptr);
    return dropped;
}

std::optional<DragCursor> TreeDrag::Show(DragCursor cursor) {
    if (m_cursor == cursor) return std::nullopt;
    m_cursor = cursor;
    return cursor;
}

}  // namespace tockbell
