#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <type_traits>
#include <variant>

namespace tockbell {

// One command's menu item while its menu is about to open: what a command-update handler sets.
class CommandState {
public:
    CommandState(HMENU menu, UINT id) : menu_(menu), id_(id) {}

    void Enable(bool enabled) { EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED)); }
    void SetCheck(bool checked) { CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)); }

private:
    HMENU menu_;
    UINT id_;
};

// WM_COMMAND from a menu item, an accelerator or a button click; a control's other notifications
// share the message but are no commands.
inline bool IsCommand(UINT message, WPARAM wParam) { return message == WM_COMMAND && HIWORD(wParam) <= 1; }

// One line of a window class's message table: a message, a command or a command's menu update, and
// the handler that takes it. Build lines with OnMessage, OnCommand and OnCommandUpdate.
template <class T>
struct MessageEntry {
    enum class Kind { Message, Command, CommandUpdate };
    using RawHandler = LRESULT (T::*)(WPARAM, LPARAM);
    using PlainHandler = void (T::*)();
    using UpdateHandler = void (T::*)(CommandState&);

    Kind kind;
    UINT code;  // the message, or the command id
    std::variant<RawHandler, PlainHandler, UpdateHandler> handler;
};

template <class T>
constexpr MessageEntry<T> OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {MessageEntry<T>::Kind::Message, message, handler};
}

// A message whose handler needs neither parameter and answers 0.
template <class T>
constexpr MessageEntry<T> OnMessage(UINT message, void (T::*handler)()) {
    return {MessageEntry<T>::Kind::Message, message, handler};
}

// WM_COMMAND from a menu item, an accelerator or a button click.
template <class T>
constexpr MessageEntry<T> OnCommand(UINT id, void (T::*handler)()) {
    return {MessageEntry<T>::Kind::Command, id, handler};
}

// Sets the command's item state whenever a menu holding it is about to open (WM_INITMENUPOPUP).
template <class T>
constexpr MessageEntry<T> OnCommandUpdate(UINT id, void (T::*handler)(CommandState&)) {
    return {MessageEntry<T>::Kind::CommandUpdate, id, handler};
}

// Hands the message to the table's handlers; none when no line takes it.
template <class T>
std::optional<LRESULT> Dispatch(std::type_identity_t<std::span<const MessageEntry<T>>> table, T& window, UINT message,
                                WPARAM wParam, LPARAM lParam) {
    using Entry = MessageEntry<T>;
    constexpr UINT kNoItem = 0xFFFFFFFF;  // GetMenuState's answer for an item the menu lacks
    std::optional<LRESULT> result;
    for (const Entry& entry : table) {
        if (entry.kind == Entry::Kind::CommandUpdate) {
            const auto menu = reinterpret_cast<HMENU>(wParam);
            if (message != WM_INITMENUPOPUP || GetMenuState(menu, entry.code, MF_BYCOMMAND) == kNoItem) continue;
            CommandState state(menu, entry.code);
            (window.*std::get<typename Entry::UpdateHandler>(entry.handler))(state);
            result = 0;  // every update line of the menu runs
            continue;
        }
        const bool matches = entry.kind == Entry::Kind::Message
                                 ? entry.code == message
                                 : IsCommand(message, wParam) && entry.code == LOWORD(wParam);
        if (!matches) continue;
        if (const auto* raw = std::get_if<typename Entry::RawHandler>(&entry.handler)) {
            return (window.**raw)(wParam, lParam);
        }
        (window.*std::get<typename Entry::PlainHandler>(entry.handler))();
        return 0;
    }
    return result;
}

}  // namespace tockbell
