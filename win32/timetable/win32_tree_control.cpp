#include "win32/timetable/win32_tree_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace tockbell {

namespace {

constexpr std::size_t kFirstTextBuffer = 260;

}  // namespace

TreeNode Win32TreeControl::Insert(TreeNode parent, std::string_view text, Where where, TreeNode sibling) {
    std::string label(text);
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? Item(parent) : TVI_ROOT;
    insert.hInsertAfter = where == Where::First ? TVI_FIRST : where == Where::Last ? TVI_LAST : Item(sibling);
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = label.data();
    return Node(reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
}

void Win32TreeControl::Delete(TreeNode node) {
    const auto item = reinterpret_cast<LPARAM>(Item(node));
    if (postponeDeletes_) {
        PostMessageA(tree_, TVM_DELETEITEM, 0, item);
    } else {
        SendMessageA(tree_, TVM_DELETEITEM, 0, item);
    }
}

void Win32TreeControl::DeleteAll() { SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

TreeNode Win32TreeControl::Related(TreeNode node, UINT relation) {
    return Node(reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(Item(node)))));
}

TreeNode Win32TreeControl::FirstChild(TreeNode parent) { return Related(parent, TVGN_CHILD); }
TreeNode Win32TreeControl::Next(TreeNode node) { return Related(node, TVGN_NEXT); }
TreeNode Win32TreeControl::Parent(TreeNode node) { return Related(node, TVGN_PARENT); }
TreeNode Win32TreeControl::Selected() { return Related(nullptr, TVGN_CARET); }

// The control cuts the text to the buffer; a longer one is asked for again with room to spare. Wine's
// control fills a short buffer to its last byte, without the terminating zero that Windows writes.
std::string Win32TreeControl::Text(TreeNode node, std::size_t maxChars) {
    std::size_t size = std::min(maxChars, kFirstTextBuffer - 1) + 1;
    for (;;) {
        std::string text(size, '\0');
        TVITEMA item{};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = Item(node);
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(size);
        if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return {};
        text.resize(strnlen(text.data(), size));
        if (text.size() + 1 < size || text.size() >= maxChars) return text.substr(0, maxChars);
        size = std::min(maxChars, size * 4) + 1;
    }
}

void Win32TreeControl::SetText(TreeNode node, std::string_view text) {
    std::string label(text);
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = Item(node);
    item.pszText = label.data();
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32TreeControl::SetBold(TreeNode node) {
    TVITEMA item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = Item(node);
    item.state = TVIS_BOLD;
    item.stateMask = TVIS_BOLD;
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32TreeControl::Select(TreeNode node) { TreeView_SelectItem(tree_, Item(node)); }

void Win32TreeControl::Expand(TreeNode node) { TreeView_Expand(tree_, Item(node), TVE_EXPAND); }

// The control edits only while it has the focus. Wine's tree hides the selected node's label while
// any label is edited, so the node edited is made the selected one.
void Win32TreeControl::EditLabel(TreeNode node) {
    Select(node);
    SetFocus(tree_);
    SendMessageA(tree_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Item(node)));
}

void Win32TreeControl::SetDropHighlight(TreeNode node) { TreeView_SelectDropTarget(tree_, Item(node)); }

// The scroll goes to the tree itself, whichever window has the keyboard focus.
void Win32TreeControl::ScrollRows(int rows) {
    for (int row = 0; row < std::abs(rows); ++row) SendMessageA(tree_, WM_VSCROLL, rows > 0 ? SB_LINEDOWN : SB_LINEUP, 0);
}

// Drawn item by item, a fill of thousands of items takes seconds.
void Win32TreeControl::HoldDrawing(bool hold) {
    SendMessageA(tree_, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
    if (!hold) InvalidateRect(tree_, nullptr, TRUE);
}

}  // namespace tockbell
