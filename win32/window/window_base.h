#pragma once

#include <windows.h>

#include <optional>

namespace tockbell {

// The one bridge from the system's window and dialog procedures to objects: the object travels in
// the creation parameter, lives in GWLP_USERDATA while the window exists, and receives every message
// through its WndProc.
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // The window while it exists, else none.
    HWND Window() const { return hwnd_; }

protected:
    WindowBase() = default;
    // A window that outlives its object falls back to the system's default handling.
    virtual ~WindowBase();

    // The object's handling of one message; none leaves it to the system's default (DefWindowProc for
    // a window, the dialog manager for a dialog).
    virtual std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Registers the window class on first use and creates a top-level window of it for this object.
    HWND CreateTopLevel(const char* className, const char* title, DWORD style, HMENU menu);
    // Runs the dialog template modally for this object; the result is EndDialog's value, or -1 when the
    // dialog could not be created.
    INT_PTR RunModal(int templateId, HWND owner);
    // Makes a child dialog of `parent` from the template for this object; it lives until its parent goes.
    HWND CreateChildDialog(int templateId, HWND parent);
    // Takes over a window made elsewhere (a common control): its messages come here first, and what
    // WndProc leaves goes on to the window's own procedure.
    bool Subclass(HWND hwnd);

private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowBase* Attach(HWND hwnd, void* object);
    std::optional<LRESULT> Deliver(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC ownProcedure_ = nullptr;  // a subclassed window's procedure
};

}  // namespace tockbell
