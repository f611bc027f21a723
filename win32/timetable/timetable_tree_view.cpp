#include "win32/timetable/timetable_tree_view.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <iterator>
#include <string>
#include <utility>

#include "core/timetable/new_section_commands.h"
#include "resource.h"
#include "win32/window/message_map.h"

namespace tockbell {

namespace {

constexpr std::string_view kBrowseFilter = "WAV files (*.wav)|*.wav|MID files (*.mid)|*.mid|All files (*.*)|*.*||";

// The cursor resources of a drag, by the core's cursor.
constexpr int kDragCursorIds[] = {0, IDC_DRAG_COPY, IDC_DRAG_NONE, IDC_DRAG_MOVE};
static_assert(static_cast<int>(DragCursor::Copy) == 1 && static_cast<int>(DragCursor::NoDrop) == 2 &&
              static_cast<int>(DragCursor::Move) == 3);

// The "New section" commands of menu 133, in the order of the core's list.
constexpr int kSectionCommandIds[] = {
    ID_SECTION_POWER_ON,  ID_SECTION_TODAY,     ID_SECTION_TOMORROW, ID_SECTION_EVERYDAY, ID_SECTION_MONDAY,
    ID_SECTION_TUESDAY,   ID_SECTION_WEDNESDAY, ID_SECTION_THURSDAY, ID_SECTION_FRIDAY,   ID_SECTION_SATURDAY,
    ID_SECTION_SUNDAY,    ID_SECTION_DAY,       ID_SECTION_JANUARY,  ID_SECTION_FEBRUARY, ID_SECTION_MARCH,
    ID_SECTION_APRIL,     ID_SECTION_MAY,       ID_SECTION_JUNE,     ID_SECTION_JULY,     ID_SECTION_AUGUST,
    ID_SECTION_SEPTEMBER, ID_SECTION_OCTOBER,   ID_SECTION_NOVEMBER, ID_SECTION_DECEMBER,
};
static_assert(std::size(kSectionCommandIds) == static_cast<std::size_t>(SectionCommand::December) + 1);

// The tree's commands, from its context menu and the page's SAVE and INSERT buttons.
constexpr std::pair<int, TableCommand> kTableCommandIds[] = {
    {ID_TREE_RELOAD, TableCommand::Reload}, {ID_TREE_NEW_ITEM, TableCommand::NewItem},
    {ID_TREE_EDIT, TableCommand::Edit},     {ID_TREE_DELETE, TableCommand::Delete},
    {ID_TREE_INSERT, TableCommand::Insert}, {ID_TREE_SAVE, TableCommand::Save},
    {IDC_SAVE, TableCommand::Save},         {IDC_INSERT, TableCommand::InsertRecording},
};

std::optional<TableCommand> TableCommandFor(int id) {
    for (const auto& [commandId, command] : kTableCommandIds) {
        if (commandId == id) return command;
    }
    return std::nullopt;
}

std::optional<SectionCommand> SectionCommandFor(int id) {
    for (std::size_t i = 0; i < std::size(kSectionCommandIds); ++i) {
        if (kSectionCommandIds[i] == id) return static_cast<SectionCommand>(i);
    }
    return std::nullopt;
}

// The open-file dialog wants its filter's parts ended by zeros where the text has bars.
std::string FilterWithZeros(std::string_view filter) {
    std::string zeros(filter);
    for (char& c : zeros) {
        if (c == '|') c = '\0';
    }
    return zeros;
}

}  // namespace

std::optional<LRESULT> CTimeTableTree::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<CTimeTableTree> kMessageMap[] = {
        OnMessage(WM_DROPFILES, &CTimeTableTree::OnDropFiles),
        OnCommand(ID_TREE_BROWSE, &CTimeTableTree::OnBrowse),
    };
    // The page's default handling of the mouse comes after the drag's.
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return std::nullopt;
        case WM_LBUTTONUP:
            OnLButtonUp();
            return std::nullopt;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default:
            break;
    }
    if (IsCommand(message, wParam)) {
        if (const std::optional<SectionCommand> command = SectionCommandFor(LOWORD(wParam))) {
            model_.NewSection(*command);
            return 0;
        }
        if (const std::optional<TableCommand> command = TableCommandFor(LOWORD(wParam))) {
            model_.Command(*command);
            return 0;
        }
    }
    return Dispatch<CTimeTableTree>(kMessageMap, *this, message, wParam, lParam);
}

std::optional<LRESULT> CTimeTableTree::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != tree_.Window()) return std::nullopt;
    const auto lParam = reinterpret_cast<LPARAM>(&header);
    switch (header.code) {
        case NM_RCLICK:
            ShowContextMenu();
            return 0;
        case TVN_KEYDOWN:
            switch (reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey) {
                case VK_DELETE:
                    model_.KeyDown(TableKey::Delete);
                    break;
                case VK_INSERT:
                    model_.KeyDown(TableKey::Insert);
                    break;
                default:
                    break;
            }
            return 0;
        case TVN_ENDLABELEDITA: {
            const TVITEMA& item = reinterpret_cast<const NMTVDISPINFOA*>(lParam)->item;
            const std::optional<std::string_view> typed =
                item.pszText ? std::optional<std::string_view>(item.pszText) : std::nullopt;
            tree_.PostponeDeletes(true);
            const bool keepTyped = model_.EndLabelEdit(Win32TreeControl::Node(item.hItem), typed);
            tree_.PostponeDeletes(false);
            return keepTyped ? TRUE : FALSE;
        }
        case TVN_BEGINDRAGA: {
            const HTREEITEM dragged = reinterpret_cast<const NMTREEVIEWA*>(lParam)->itemNew.hItem;
            if (const std::optional<DragCursor> cursor =
                    model_.BeginDrag(Win32TreeControl::Node(dragged), GetAsyncKeyState(VK_SHIFT) < 0)) {
                ShowCursor(*cursor);
                SetCapture(page_);
            }
            return 0;
        }
        default:
            return std::nullopt;
    }
}

void CTimeTableTree::ShowContextMenu() {
    POINT screen{};
    GetCursorPos(&screen);
    POINT page = screen;
    ScreenToClient(page_, &page);
    const bool canInsert = model_.OpenContextMenu(HitTest(page));
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TREE_MENU));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    EnableMenuItem(popup, ID_TREE_INSERT, MF_BYCOMMAND | (canInsert ? MF_ENABLED : MF_GRAYED));
    TrackPopupMenu(popup, TPM_LEFTALIGN, screen.x, screen.y, 0, page_, nullptr);
    DestroyMenu(menu);
}

TreeNode CTimeTableTree::HitTest(POINT pagePoint, PointerPlace* place) const {
    TVHITTESTINFO hit{};
    hit.pt = pagePoint;
    MapWindowPoints(page_, tree_.Window(), &hit.pt, 1);
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree_.Window(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (place) {
        *place = (hit.flags & TVHT_BELOW)   ? PointerPlace::Below
                 : (hit.flags & TVHT_ABOVE) ? PointerPlace::Above
                                            : PointerPlace::Inside;
    }
    return Win32TreeControl::Node(item);
}

void CTimeTableTree::ShowCursor(DragCursor cursor) {
    SetCursor(cursor == DragCursor::Arrow
                  ? LoadCursorA(nullptr, IDC_ARROW)
                  : LoadCursorA(GetModuleHandleA(nullptr),
                                MAKEINTRESOURCEA(kDragCursorIds[static_cast<std::size_t>(cursor)])));
}

void CTimeTableTree::OnMouseMove(LPARAM lParam) {
    if (model_.Dragging()) {
        PointerPlace place = PointerPlace::Inside;
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const TreeNode hit = HitTest(point, &place);
        if (const std::optional<DragCursor> cursor = model_.DragOver(hit, place)) ShowCursor(*cursor);
    }
}

void CTimeTableTree::OnLButtonUp() {
    if (model_.Dragging()) {
        model_.Drop();
        ShowCursor(DragCursor::Arrow);
        ReleaseCapture();
    }
}

LRESULT CTimeTableTree::OnDropFiles(WPARAM wParam, LPARAM) {
    const auto drop = reinterpret_cast<HDROP>(wParam);
    POINT point{};
    DragQueryPoint(drop, &point);
    const TreeNode hit = HitTest(point);
    char path[MAX_PATH] = {};
    const UINT length = DragQueryFileA(drop, 0, path, sizeof path);
    DragFinish(drop);
    model_.DropFile(hit, std::string_view(path, length));
    return 0;
}

void CTimeTableTree::OnBrowse() {
    const std::string filter = FilterWithZeros(kBrowseFilter);
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (GetOpenFileNameA(&dialog)) model_.AddFile(path);
}

}  // namespace tockbell
