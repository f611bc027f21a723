#include "win32/window/window_base.h"

namespace tockbell {

namespace {

// The messages whose dialog-procedure answer is the return value itself rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

}  // namespace

WindowBase::~WindowBase() {
    if (hwnd_ == nullptr) return;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    if (ownProcedure_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownProcedure_));
}

HWND WindowBase::CreateTopLevel(const char* className, const char* title, DWORD style, HMENU menu) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(instance, className, &windowClass)) {
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className;
        if (RegisterClassA(&windowClass) == 0) return nullptr;
    }
    return CreateWindowExA(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           nullptr, menu, instance, this);
}

INT_PTR WindowBase::RunModal(int templateId, HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, DialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

HWND WindowBase::CreateChildDialog(int templateId, HWND parent) {
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, DialogProcedure,
                              reinterpret_cast<LPARAM>(this));
}

bool WindowBase::Subclass(HWND hwnd) {
    if (hwnd == nullptr) return false;
    Attach(hwnd, this);
    ownProcedure_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
    return ownProcedure_ != nullptr;
}

WindowBase* WindowBase::Attach(HWND hwnd, void* object) {
    auto* self = static_cast<WindowBase*>(object);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
}

std::optional<LRESULT> WindowBase::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = hwnd_;
    const std::optional<LRESULT> result = WndProc(message, wParam, lParam);
    // The window's last message: from here on the object no longer has a window.
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
    }
    return result;
}

LRESULT CALLBACK WindowBase::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages that come before WM_NCCREATE find no object and get the default treatment.
    WindowBase* self = message == WM_NCCREATE
                           ? Attach(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams)
                           : reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    // Taken before the delivery: the last message detaches the object.
    const WNDPROC ownProcedure = self->ownProcedure_;
    if (const std::optional<LRESULT> result = self->Deliver(message, wParam, lParam)) return *result;
    return ownProcedure ? CallWindowProcA(ownProcedure, hwnd, message, wParam, lParam)
                        : DefWindowProcA(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK WindowBase::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = message == WM_INITDIALOG ? Attach(hwnd, reinterpret_cast<void*>(lParam))
                                                : reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return FALSE;
    const std::optional<LRESULT> result = self->Deliver(message, wParam, lParam);
    // An unhandled WM_INITDIALOG still lets the dialog manager focus the first control.
    if (!result) return message == WM_INITDIALOG ? TRUE : FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(*result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, *result);
    return TRUE;
}

}  // namespace tockbell
