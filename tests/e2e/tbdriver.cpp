// Looks into a running Tockbell from inside the same Wine desktop: finds top-level windows by
// title, posts commands and clicks buttons. Every wait is bounded; the exit code is the answer.
//
//   tbdriver DESKTOP wait TITLE SECONDS       0 once a window titled TITLE exists, 1 if none came
//   tbdriver DESKTOP wait-shown TITLE SECONDS 0 once such a window is visible
//   tbdriver DESKTOP wait-gone TITLE SECONDS  0 once no such window is left
//   tbdriver DESKTOP exists TITLE             0 if such a window exists, else 1
//   tbdriver DESKTOP pid TITLE                prints the process id of such a window
//   tbdriver DESKTOP command TITLE ID [HOLDER]
//                                             posts WM_COMMAND ID to it or, with HOLDER, to the window
//                                             that holds its control HOLDER (a page of a dialog)
//   tbdriver DESKTOP click TITLE ID           clicks its control ID (BM_CLICK)
//   tbdriver DESKTOP controls TITLE           prints its controls at any depth, one a line: id, class,
//                                             states and text, tab-separated; the states are those of
//                                             "checked", "disabled", "hidden" and "pos=N" (a trackbar's
//                                             or a progress bar's position) that hold, "-" for none; the
//                                             text shows CR, LF, tab, backslash and any other byte outside
//                                             printable ASCII as \r, \n, \t, a doubled backslash and \xNN
//   tbdriver DESKTOP text TITLE ID            prints the whole text of its control ID as it is
//   tbdriver DESKTOP set-text TITLE ID TEXT   sets that text (WM_SETTEXT)
//   tbdriver DESKTOP set-pos TITLE ID POS     moves its trackbar ID to POS (TBM_SETPOS)
//   tbdriver DESKTOP key TITLE ID KEY         posts the virtual key KEY (a number), down and up, to its
//                                             control ID
//   tbdriver DESKTOP tabs TITLE               prints the tabs of its tab control, one a line (the
//                                             format is in tbhook.cpp)
//   tbdriver DESKTOP tree TITLE               prints the nodes of its tree control, one a line (the
//                                             format is in tbhook.cpp)
//   tbdriver DESKTOP layout TITLE             prints the places of the window and its shown windows at any
//                                             depth, one a line (the format is in tbhook.cpp)
//   tbdriver DESKTOP label TITLE KEY [TEXT]   puts TEXT (WM_SETTEXT) into the label edit of its tree
//                                             control, if given, then posts the virtual key KEY to it
//   tbdriver DESKTOP drop X Y FILE...         drops the files as the shell does at the point X Y of the
//                                             screen: on the window there that takes dropped files, or
//                                             on the nearest of its parents that does
//   tbdriver DESKTOP open-times TITLE DIALOG COUNT
//                                             COUNT times: posts "Properties..." to TITLE and prints the
//                                             milliseconds until the window DIALOG is shown, then cancels
//                                             it and waits until it is gone
//   tbdriver DESKTOP run PROGRAM SECONDS      starts PROGRAM in the desktop; 0 once it has ended,
//                                             printing its exit code, 1 if it still runs
//   tbdriver DESKTOP wait-exit PID SECONDS    0 once the process PID has ended
//   tbdriver DESKTOP wait-idle PID SECONDS    0 once the process PID waits for input with none pending
//   tbdriver DESKTOP rect CLASS               prints the screen rectangle of the shown top-level window of
//                                             class CLASS: left top right bottom
//   tbdriver DESKTOP menu SECONDS             waits for a shown popup menu and prints its items, one a
//                                             line (the format is in tbhook.cpp)
//   tbdriver DESKTOP wait-no-menu SECONDS     0 once no popup menu is shown
//   tbdriver DESKTOP tips CLASS               prints the texts of the tooltip controls that the shown
//                                             window of class CLASS or its children own, one a line (a
//                                             balloon's marked, as tbhook.cpp says)
//   tbdriver DESKTOP post CLASS MESSAGE WPARAM LPARAM
//                                             posts the message (numbers) to the first top-level window of
//                                             class CLASS, shown or not, as the shell posts to a tray icon's
//                                             window
//
// A control ID is looked for among all the descendants of the window, as the pages of a dialog hold
// their controls below it; where two have the same id, a button wins (the one a test clicks).
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tbhook.h"

namespace {

constexpr int kYes = 0;
constexpr int kNo = 1;
constexpr int kUsage = 2;
constexpr DWORD kPollMilliseconds = 100;
constexpr UINT kSendTimeoutMilliseconds = 10000;
constexpr UINT kReadTimeoutMilliseconds = 10000;
constexpr char kMenuClass[] = "#32768";

// Windows of another Wine desktop are invisible to FindWindow, so the driver joins the program's
// desktop first; that desktop may not exist yet just after a test has started the program.
class Desktop {
public:
    explicit Desktop(const char* name) : name_(name) {}

    HWND Find(const std::string& title) { return Join() ? FindWindowA(nullptr, title.c_str()) : nullptr; }

    HWND At(POINT point) { return Join() ? WindowFromPoint(point) : nullptr; }

    // The first top-level window of the class, shown or not, or none.
    HWND FindOfClass(const char* className) { return Join() ? FindWindowExA(nullptr, nullptr, className, nullptr) : nullptr; }

    // The first shown top-level window of the class, or none.
    HWND FindShown(const char* className) {
        if (!Join()) return nullptr;
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
            if (IsWindowVisible(window)) return window;
        }
        return nullptr;
    }

private:
    bool Join() {
        if (!joined_) {
            HDESK desktop = OpenDesktopA(name_, 0, FALSE, GENERIC_ALL);
            joined_ = desktop != nullptr && SetThreadDesktop(desktop);
        }
        return joined_;
    }

    const char* name_;
    bool joined_ = false;
};

DWORD Milliseconds(const char* seconds) { return static_cast<DWORD>(std::strtod(seconds, nullptr) * 1000); }

// Polls `condition` until it holds or `seconds` have passed.
template <class Condition>
int WaitFor(const char* seconds, Condition condition) {
    const ULONGLONG deadline = GetTickCount64() + Milliseconds(seconds);
    for (;;) {
        if (condition()) return kYes;
        if (GetTickCount64() >= deadline) return kNo;
        Sleep(kPollMilliseconds);
    }
}

// Waits for a process handle to be signalled, that is for the process to end.
int WaitForEnd(HANDLE process, const char* seconds) {
    return WaitForSingleObject(process, Milliseconds(seconds)) == WAIT_OBJECT_0 ? kYes : kNo;
}

UINT Id(const char* text) { return static_cast<UINT>(std::strtoul(text, nullptr, 10)); }

DWORD ProcessId(const std::string& text) { return static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10)); }

// Keeps the text that tbhook.dll sends back, in the string that the window's user data points to.
LRESULT CALLBACK ReplyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    auto* answer = reinterpret_cast<std::optional<std::string>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    answer->emplace(data->cbData == 0 ? "" : std::string(static_cast<const char*>(data->lpData), data->cbData));
    return TRUE;
}

// Asks tbhook.dll inside the process of the window (see tbhook.h) to read the window or to drop files on
// it: the hook library beside the driver is loaded there for the time of one message, the request's
// data goes as the reply window's title. Its answer, or nothing when it failed.
std::optional<std::string> AskInside(HWND window, const char* request = kReadMessage, const std::string& data = {},
                                     LPARAM lParam = 0) {
    char path[MAX_PATH] = "";
    std::string library(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    library.replace(library.find_last_of('\\') + 1, std::string::npos, kHookLibrary);
    const HMODULE module = LoadLibraryA(library.c_str());
    const auto procedure =
        module != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, kHookProcedure)))
                          : nullptr;
    if (procedure == nullptr) return std::nullopt;

    WNDCLASSA replyClass{};
    replyClass.lpfnWndProc = ReplyProcedure;
    replyClass.lpszClassName = "TockbellDriverReply";
    RegisterClassA(&replyClass);
    const HWND reply = CreateWindowExA(0, replyClass.lpszClassName, data.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       nullptr, nullptr);
    std::optional<std::string> answer;
    SetWindowLongPtrA(reply, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, procedure, module, GetWindowThreadProcessId(window, nullptr));
    if (hook != nullptr) {
        // The answer comes in as a message sent to the reply window while this call waits.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, RegisterWindowMessageA(request), reinterpret_cast<WPARAM>(reply), lParam,
                            SMTO_ABORTIFHUNG, kReadTimeoutMilliseconds, &ignored);
        UnhookWindowsHookEx(hook);
    }
    DestroyWindow(reply);
    return answer;
}

// Sends to a window of another process, bounded; false when it did not answer in time.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer = nullptr) {
    DWORD_PTR ignored = 0;
    return window != nullptr && SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                                    kSendTimeoutMilliseconds, answer ? answer : &ignored) != 0;
}

// Its answer, 0 when there was none.
DWORD_PTR Ask(HWND window, UINT message) {
    DWORD_PTR answer = 0;
    Send(window, message, 0, 0, &answer);
    return answer;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// Every window below `window`, parents before their children.
std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindControl(HWND window, const char* idText) {
    if (window == nullptr) return nullptr;
    const auto id = static_cast<int>(Id(idText));
    HWND found = nullptr;
    for (const HWND control : Descendants(window)) {
        if (GetDlgCtrlID(control) != id) continue;
        if (ClassOf(control) == WC_BUTTONA) return control;
        if (found == nullptr) found = control;
    }
    return found;
}

HWND FindOfClass(HWND window, const char* className) {
    if (window == nullptr) return nullptr;
    for (const HWND control : Descendants(window)) {
        if (ClassOf(control) == className) return control;
    }
    return nullptr;
}

// The whole text through WM_GETTEXT, which Wine carries between processes; GetWindowText would give
// another process's edit control only its caption.
std::optional<std::string> TextOf(HWND control) {
    DWORD_PTR length = 0;
    if (!Send(control, WM_GETTEXTLENGTH, 0, 0, &length)) return std::nullopt;
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return std::nullopt;
    text.resize(copied);
    return text;
}

// One line of the control list: id, class, states, text.
std::string ControlLine(HWND control) {
    const std::string kind = ClassOf(control);
    std::string states;
    const auto state = [&](const std::string& word) { states += (states.empty() ? "" : " ") + word; };
    if (kind == WC_BUTTONA && Ask(control, BM_GETCHECK) == BST_CHECKED) state("checked");
    if (!IsWindowEnabled(control)) state("disabled");
    if (!IsWindowVisible(control)) state("hidden");
    if (kind == TRACKBAR_CLASSA) state("pos=" + std::to_string(static_cast<LRESULT>(Ask(control, TBM_GETPOS))));
    if (kind == PROGRESS_CLASSA) state("pos=" + std::to_string(static_cast<LRESULT>(Ask(control, PBM_GETPOS))));
    std::string line = std::to_string(GetDlgCtrlID(control)) + '\t' + kind + '\t' + (states.empty() ? "-" : states) + '\t';
    for (const char c : TextOf(control).value_or("")) {
        switch (c) {
            case '\r': line += "\\r"; break;
            case '\n': line += "\\n"; break;
            case '\t': line += "\\t"; break;
            case '\\': line += "\\\\"; break;
            default:
                if (c >= ' ' && c <= '~') {
                    line += c;
                } else {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
                    line += escaped;
                }
        }
    }
    return line + '\n';
}

// The window that takes files dropped on `window`: that one or the nearest of its parents; none if none does.
HWND DropTarget(HWND window) {
    while (window != nullptr && (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0) {
        window = (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(window) : nullptr;
    }
    return window;
}

// A key as the keyboard would post it: repeat count 1 and the key's scan code, then its release.
bool PostKey(HWND control, WPARAM key) {
    const auto scanCode = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
    const LPARAM down = 1 | (scanCode << 16);
    const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return PostMessageA(control, WM_KEYDOWN, key, down) && PostMessageA(control, WM_KEYUP, key, up);
}

int Run(int argc, char** argv) {
    if (argc < 4) return kUsage;
    Desktop desktop(argv[1]);
    const std::string action = argv[2];
    const std::string target = argv[3];  // a window title, a program or a process id

    if (action == "exists") return desktop.Find(target) != nullptr ? kYes : kNo;
    if (action == "pid") {
        DWORD process = 0;
        const HWND window = desktop.Find(target);
        if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0) return kNo;
        std::printf("%lu\n", process);
        return kYes;
    }
    if (action == "rect") {
        RECT rect{};
        const HWND window = desktop.FindShown(target.c_str());
        if (window == nullptr || !GetWindowRect(window, &rect)) return kNo;
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return kYes;
    }
    if (action == "menu") {
        HWND menu = nullptr;
        if (WaitFor(target.c_str(), [&] { return (menu = desktop.FindShown(kMenuClass)) != nullptr; }) != kYes) {
            return kNo;
        }
        const std::optional<std::string> items = AskInside(menu);
        if (!items) return kNo;
        std::fputs(items->c_str(), stdout);
        return kYes;
    }
    if (action == "wait-no-menu") {
        return WaitFor(target.c_str(), [&] { return desktop.FindShown(kMenuClass) == nullptr; });
    }
    if (action == "tips") {
        const HWND owner = desktop.FindShown(target.c_str());
        if (owner == nullptr) return kNo;
        HWND tip = nullptr;
        while ((tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
            const HWND tipOwner = GetWindow(tip, GW_OWNER);
            if (tipOwner != owner && !IsChild(owner, tipOwner)) continue;
            const std::optional<std::string> texts = AskInside(tip);
            if (!texts) return kNo;
            std::fputs(texts->c_str(), stdout);
        }
        return kYes;
    }
    if (action == "controls") {
        const HWND window = desktop.Find(target);
        if (window == nullptr) return kNo;
        for (const HWND control : Descendants(window)) std::fputs(ControlLine(control).c_str(), stdout);
        return kYes;
    }
    if (action == "layout") {
        const HWND window = desktop.Find(target);
        const std::optional<std::string> lines = window != nullptr ? AskInside(window) : std::nullopt;
        if (!lines) return kNo;
        std::fputs(lines->c_str(), stdout);
        return kYes;
    }
    if (action == "tabs" || action == "tree") {
        const HWND control = FindOfClass(desktop.Find(target), action == "tabs" ? WC_TABCONTROLA : WC_TREEVIEWA);
        const std::optional<std::string> items = control != nullptr ? AskInside(control) : std::nullopt;
        if (!items) return kNo;
        std::fputs(items->c_str(), stdout);
        return kYes;
    }
    if (argc < 5) return kUsage;
    if (action == "wait") return WaitFor(argv[4], [&] { return desktop.Find(target) != nullptr; });
    if (action == "wait-shown") {
        return WaitFor(argv[4], [&] {
            const HWND window = desktop.Find(target);
            return window != nullptr && IsWindowVisible(window);
        });
    }
    if (action == "wait-gone") return WaitFor(argv[4], [&] { return desktop.Find(target) == nullptr; });
    if (action == "command") {
        HWND window = desktop.Find(target);
        if (argc > 5) window = GetParent(FindControl(window, argv[5]));
        return window != nullptr && PostMessageA(window, WM_COMMAND, Id(argv[4]), 0) ? kYes : kNo;
    }
    if (action == "label") {
        const HWND tree = FindOfClass(desktop.Find(target), WC_TREEVIEWA);
        DWORD_PTR edit = 0;
        if (tree == nullptr || !Send(tree, TVM_GETEDITCONTROL, 0, 0, &edit) || edit == 0) return kNo;
        const auto editWindow = reinterpret_cast<HWND>(edit);
        if (argc > 5 && !Send(editWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5]))) return kNo;
        return PostKey(editWindow, Id(argv[4])) ? kYes : kNo;
    }
    if (action == "click") return Send(FindControl(desktop.Find(target), argv[4]), BM_CLICK, 0, 0) ? kYes : kNo;
    if (action == "text") {
        const HWND control = FindControl(desktop.Find(target), argv[4]);
        const std::optional<std::string> text = control != nullptr ? TextOf(control) : std::nullopt;
        if (!text) return kNo;
        std::fwrite(text->data(), 1, text->size(), stdout);
        return kYes;
    }
    if (action == "run") {
        std::string desktopName = argv[1];
        std::string commandLine = "\"" + target + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.lpDesktop = desktopName.data();
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            std::printf("cannot start %s\n", commandLine.c_str());
            return kNo;
        }
        CloseHandle(process.hThread);
        const int answer = WaitForEnd(process.hProcess, argv[4]);
        DWORD exitCode = 0;
        if (answer == kYes && GetExitCodeProcess(process.hProcess, &exitCode)) std::printf("%lu\n", exitCode);
        CloseHandle(process.hProcess);
        return answer;
    }
    if (action == "wait-idle") {
        const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessId(target));
        if (process == nullptr) return kNo;
        const DWORD result = WaitForInputIdle(process, Milliseconds(argv[4]));
        CloseHandle(process);
        return result == 0 ? kYes : kNo;
    }
    if (action == "wait-exit") {
        // A process that cannot be opened any more has ended.
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessId(target));
        if (process == nullptr) return kYes;
        const int answer = WaitForEnd(process, argv[4]);
        CloseHandle(process);
        return answer;
    }
    if (argc < 6) return kUsage;
    if (action == "post" && argc >= 7) {
        const HWND window = desktop.FindOfClass(target.c_str());
        return window != nullptr && PostMessageA(window, Id(argv[4]), std::strtoull(argv[5], nullptr, 10),
                                                 std::strtoll(argv[6], nullptr, 10))
                   ? kYes
                   : kNo;
    }
    if (action == "drop") {
        POINT point{std::strtol(argv[3], nullptr, 10), std::strtol(argv[4], nullptr, 10)};
        const HWND window = DropTarget(desktop.At(point));
        if (window == nullptr || !ScreenToClient(window, &point)) return kNo;
        std::string files;
        for (int file = 5; file < argc; ++file) files += std::string(file > 5 ? "\n" : "") + argv[file];
        const std::optional<std::string> answer = AskInside(window, kDropMessage, files, MAKELPARAM(point.x, point.y));
        return answer && answer->empty() ? kYes : kNo;
    }
    if (action == "set-text") {
        return Send(FindControl(desktop.Find(target), argv[4]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5])) ? kYes
                                                                                                                   : kNo;
    }
    if (action == "set-pos") {
        return Send(FindControl(desktop.Find(target), argv[4]), TBM_SETPOS, TRUE, std::strtol(argv[5], nullptr, 10))
                   ? kYes
                   : kNo;
    }
    if (action == "key") {
        const HWND control = FindControl(desktop.Find(target), argv[4]);
        return control != nullptr && PostKey(control, Id(argv[5])) ? kYes : kNo;
    }
    if (action == "open-times") {
        constexpr UINT kProperties = 57664;
        constexpr ULONGLONG kBoundMilliseconds = 10000;
        const HWND main = desktop.Find(target);
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        for (long opening = std::strtol(argv[5], nullptr, 10); opening > 0; --opening) {
            LARGE_INTEGER start{}, shown{};
            QueryPerformanceCounter(&start);
            if (main == nullptr || !PostMessageA(main, WM_COMMAND, kProperties, 0)) return kNo;
            const ULONGLONG deadline = GetTickCount64() + kBoundMilliseconds;
            // The dialog manager shows the dialog once its initialisation, which fills the pages, is done;
            // it is polled closely, as the time is what is measured.
            HWND dialog = nullptr;
            while ((dialog = desktop.Find(argv[4])) == nullptr || !IsWindowVisible(dialog)) {
                if (GetTickCount64() >= deadline) return kNo;
                Sleep(1);
            }
            QueryPerformanceCounter(&shown);
            std::printf("%.1f\n", static_cast<double>(shown.QuadPart - start.QuadPart) * 1000.0 /
                                     static_cast<double>(frequency.QuadPart));
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            if (WaitFor("10", [&] { return desktop.Find(argv[4]) == nullptr; }) != kYes) return kNo;
        }
        return kYes;
    }
    return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
    // The answers are read by a POSIX shell: lines end in "\n" alone.
    _setmode(_fileno(stdout), _O_BINARY);
    const int answer = Run(argc, argv);
    if (answer == kUsage) std::printf("usage: see the head of tbdriver.cpp\n");
    std::fflush(stdout);
    return answer;
}
