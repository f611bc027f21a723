#include "win32/timetable/timetable_tree_view.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <string>

#include "core/timetable/new_section_commands.h"
#include "resource.h"
#include "win32/window/message_map.h"

namespace tockbell {

namespace {

constexpr std::string_view kBrowseFilter = "WAV files (*.wav)|*.wav|MID files (*.mid)|*.mid|All files (*.*)|*.*||";
constexpr const char* kFileErrorCaption = "Tockbell";

static_assert(IDC_DRAG_COPY == static_cast<int>(DragCursor::Copy) &&
              IDC_DRAG_NONE == static_cast<int>(DragCursor::NoDrop) &&
              IDC_DRAG_MOVE == static_cast<int>(DragCursor::Move));

// The open-file dialog wants its filter's parts ended by zeros where the text has bars.
std::string FilterWithZeros(std::string_view filter) {
    std::string zeros(filter);
    for (char& c : zeros) {
        if (c == '|') c = '\0';
    }
    return zeros;
}

}  // namespace

CTimeTableTree::CTimeTableTree(HWND page, ConfigStore* store, FileSystem& files, ClockSettings& settings,
                               std::string voicePath)
    : page_(page),
      tree_(GetDlgItem(page, IDC_TREE)),
      editor_(tree_, *this, TimeTableFiles{store, files, settings, clock_, std::move(voicePath)}),
      drag_(tree_) {}

std::optional<LRESULT> CTimeTableTree::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<CTimeTableTree> kMessageMap[] = {
        OnMessage(WM_DROPFILES, &CTimeTableTree::OnDropFiles),
        OnCommand(ID_TREE_RELOAD, &CTimeTableTree::OnReload),
        OnCommand(ID_TREE_SAVE, &CTimeTableTree::OnSave),
        OnCommand(IDC_SAVE, &CTimeTableTree::OnSave),
        OnCommand(ID_TREE_EDIT, &CTimeTableTree::OnEdit),
        OnCommand(ID_TREE_DELETE, &CTimeTableTree::OnDelete),
        OnCommand(ID_TREE_INSERT, &CTimeTableTree::OnInsert),
        OnCommand(ID_TREE_NEW_ITEM, &CTimeTableTree::OnNewItem),
        OnCommand(IDC_INSERT, &CTimeTableTree::OnInsertVoice),
        OnCommand(ID_TREE_BROWSE, &CTimeTableTree::OnBrowse),
    };
    // The page's default handling of the mouse comes after the drag's.
    switch (message) {
        case WM_MOUSEMOVE: OnMouseMove(lParam); return std::nullopt;
        case WM_LBUTTONUP: OnLButtonUp(); return std::nullopt;
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default: break;
    }
    if (IsCommand(message, wParam)) {
        if (const std::optional<NewSection> section = NewSectionForCommand(LOWORD(wParam))) {
            editor_.AddSection(section->title, section->dayEditing);
            return 0;
        }
    }
    return Dispatch<CTimeTableTree>(kMessageMap, *this, message, wParam, lParam);
}

std::optional<LRESULT> CTimeTableTree::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != tree_.Window()) return std::nullopt;
    const auto lParam = reinterpret_cast<LPARAM>(&header);
    switch (header.code) {
        case NM_RCLICK: ShowContextMenu(); return 0;
        case TVN_KEYDOWN:
            switch (reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey) {
                case VK_DELETE: editor_.Delete(); break;
                case VK_INSERT: editor_.Insert(); break;
                default: break;
            }
            return 0;
        case TVN_ENDLABELEDITA: {
            const TVITEMA& item = reinterpret_cast<const NMTVDISPINFOA*>(lParam)->item;
            const std::optional<std::string_view> typed =
                item.pszText ? std::optional<std::string_view>(item.pszText) : std::nullopt;
            tree_.PostponeDeletes(true);
            const bool keepTyped = editor_.EndLabelEdit(Win32TreeControl::Node(item.hItem), typed);
            tree_.PostponeDeletes(false);
            return keepTyped ? TRUE : FALSE;
        }
        case TVN_BEGINDRAGA: {
            const HTREEITEM dragged = reinterpret_cast<const NMTREEVIEWA*>(lParam)->itemNew.hItem;
            if (const std::optional<DragCursor> cursor =
                    drag_.Begin(Win32TreeControl::Node(dragged), GetAsyncKeyState(VK_SHIFT) < 0)) {
                ShowCursor(*cursor);
                SetCapture(page_);
            }
            return 0;
        }
        default: return std::nullopt;
    }
}

void CTimeTableTree::ShowContextMenu() {
    POINT screen{};
    GetCursorPos(&screen);
    POINT page = screen;
    ScreenToClient(page_, &page);
    editor_.SelectHit(HitTest(page));
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TREE_MENU));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    EnableMenuItem(popup, ID_TREE_INSERT, MF_BYCOMMAND | (editor_.CanInsert() ? MF_ENABLED : MF_GRAYED));
    TrackPopupMenu(popup, TPM_LEFTALIGN, screen.x, screen.y, 0, page_, nullptr);
    DestroyMenu(menu);
}

TreeNode CTimeTableTree::HitTest(POINT pagePoint, PointerPlace* place) const {
    TVHITTESTINFO hit{};
    hit.pt = pagePoint;
    MapWindowPoints(page_, tree_.Window(), &hit.pt, 1);
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_.Window(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (place) {
        *place = (hit.flags & TVHT_BELOW) ? PointerPlace::Below
                 : (hit.flags & TVHT_ABOVE) ? PointerPlace::Above
                                            : PointerPlace::Inside;
    }
    return Win32TreeControl::Node(item);
}

void CTimeTableTree::ShowCursor(DragCursor cursor) {
    SetCursor(cursor == DragCursor::Arrow
                  ? LoadCursorA(nullptr, IDC_ARROW)
                  : LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(static_cast<int>(cursor))));
}

void CTimeTableTree::OnMouseMove(LPARAM lParam) {
    if (drag_.Dragging()) {
        PointerPlace place = PointerPlace::Inside;
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const TreeNode hit = HitTest(point, &place);
        if (const std::optional<DragCursor> cursor = drag_.MoveOver(hit, place)) ShowCursor(*cursor);
    }
}

void CTimeTableTree::OnLButtonUp() {
    if (drag_.Dragging()) {
        if (!drag_.Drop()) MessageBeep(MB_OK);
        ShowCursor(DragCursor::Arrow);
        ReleaseCapture();
    }
}

LRESULT CTimeTableTree::OnDropFiles(WPARAM wParam, LPARAM) {
    const auto drop = reinterpret_cast<HDROP>(wParam);
    POINT point{};
    DragQueryPoint(drop, &point);
    editor_.SelectHit(HitTest(point));
    char path[MAX_PATH] = {};
    const UINT length = DragQueryFileA(drop, 0, path, sizeof path);
    DragFinish(drop);
    if (length > 0) editor_.AddItem(path, PAGE_NEW_ITEM);
    return 0;
}

void CTimeTableTree::OnNewItem() { editor_.AddItem(kNewItemFile, PAGE_NEW_ITEM); }

void CTimeTableTree::OnInsertVoice() { editor_.AddItem(kNewItemFile, PAGE_NEW_ITEM | PAGE_COPY_VOICE); }

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
    if (GetOpenFileNameA(&dialog)) editor_.AddItem(path, PAGE_NEW_ITEM);
}

void CTimeTableTree::SetStatus(std::string_view text) {
    ShowWindow(GetDlgItem(page_, IDC_PROGRESS), SW_HIDE);
    const HWND status = GetDlgItem(page_, IDC_STATUS);
    ShowWindow(status, SW_SHOW);
    SetWindowTextA(status, std::string(text).c_str());
}

void CTimeTableTree::ShowFileError(const std::string& path) {
    const std::string message = path.empty() ? std::string("The time-table file has no name: the program's folder cannot be named.")
                                             : "The time-table file\n" + path + "\ncan neither be opened nor created.";
    MessageBoxA(page_, message.c_str(), kFileErrorCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tockbell
