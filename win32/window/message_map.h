#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <type_traits>
#include <variant>

namespace tockbell {

// WM_COMMAND from a menu item, an accelerator or a button click; a control's other notifications
// share the message but are no commands.
inline bool IsCommand(UINT message, WPARAM wParam) { return message == WM_COMMAND && HIWORD(wParam) <= 1; }

// One line of a window class's message table: a message or a command, and the handler that takes
// it. Build lines with OnMessage and OnCommand.
template <class T>
struct MessageEntry {
    enum class Kind { Message, Command };
    using RawHandler = LRESULT (T::*)(WPARAM, LPARAM);
    using PlainHandler = void (T::*)();

    Kind kind;
    UINT code;  // the message, or the command id
    std::variant<RawHandler, PlainHandler> handler;
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

// Hands the message to the table's handlers; none when no line takes it.
template <class T>
std::optional<LRESULT> Dispatch(std::type_identity_t<std::span<const MessageEntry<T>>> table, T& window, UINT message,
                                WPARAM wParam, LPARAM lParam) {
    using Entry = MessageEntry<T>;
    for (const Entry& entry : table) {
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
    return std::nullopt;
}

}  // namespace tockbell
