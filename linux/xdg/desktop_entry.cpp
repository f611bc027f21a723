#include "linux/xdg/desktop_entry.h"

namespace tockbell {

namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::string_view kExec = "Exec";

// The characters of an argument that the format wants inside quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
// The characters that take a backslash inside quotes.
constexpr std::string_view kQuoteEscaped = "\"`$\\";

bool NeedsQuotes(std::string_view argument) { return argument.find_first_of(kReserved) != std::string_view::npos; }

// The string escapes every value of the format goes through last.
std::string EscapeString(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeString(std::string_view value) {
    std::string plain;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                plain += ' ';
                break;
            case 'n':
                plain += '\n';
                break;
            case 't':
                plain += '\t';
                break;
            case 'r':
                plain += '\r';
                break;
            case '\\':
                plain += '\\';
                break;
            default:  // not a string escape: left for the quoting to read
                plain += '\\';
                plain += value[i];
        }
    }
    return plain;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The first argument of an unescaped Exec value; "%%" stands for "%".
std::optional<std::string> FirstArgument(std::string_view command) {
    std::size_t i = 0;
    while (i < command.size() && IsBlank(command[i])) ++i;
    if (i == command.size()) return std::nullopt;
    const bool quoted = command[i] == '"';
    if (quoted) ++i;
    std::string argument;
    for (; i < command.size(); ++i) {
        const char c = command[i];
        if (quoted && c == '"') {
            const bool endsHere = i + 1 == command.size() || IsBlank(command[i + 1]);
            if (!endsHere) return std::nullopt;  // a quote in the middle of an argument
            return argument;
        }
        if (!quoted && IsBlank(c)) break;
        const bool hasNext = i + 1 < command.size();
        if (c == '%' && hasNext && command[i + 1] == '%') {
            argument += '%';
            ++i;
        } else if (c == '\\' && hasNext && (!quoted || kQuoteEscaped.find(command[i + 1]) != std::string_view::npos)) {
            argument += command[++i];
        } else {
            argument += c;
        }
    }
    if (quoted) return std::nullopt;  // the quote never closes
    return argument;
}

}  // namespace

std::string ExecValue(std::string_view executable) {
    std::string argument;
    const bool quoted = NeedsQuotes(executable);
    if (quoted) argument += '"';
    for (const char c : executable) {
        if (quoted && kQuoteEscaped.find(c) != std::string_view::npos) argument += '\\';
        argument += c;
        if (c == '%') argument += '%';  // a lone "%" would start a field code
    }
    if (quoted) argument += '"';
    return EscapeString(argument);
}

std::string DesktopEntryText(DesktopEntryKind kind, std::string_view executable) {
    std::string text =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Tockbell\n"
        "GenericName=Striking clock\n"
        "Comment=A clock in the tray that strikes the hours, chimes and plays reminders\n"
        "Exec=" +
        ExecValue(executable) +
        "\n"
        "Icon=tockbell\n"
        "Terminal=false\n"
        "Categories=Utility;Clock;\n"
        "Keywords=clock;chime;strike;reminder;time;\n";
    if (kind == DesktopEntryKind::Autostart) text += "X-GNOME-Autostart-enabled=true\n";
    return text;
}

std::optional<std::string> DesktopEntryExecutable(std::string_view text) {
    bool inGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = TrimBlanks(line);
        if (!line.empty() && line.front() == '[') {
            inGroup = line == kGroup;
            continue;
        }
        if (!inGroup || line.substr(0, kExec.size()) != kExec) continue;
        const std::string_view rest = TrimBlanks(line.substr(kExec.size()));
        if (rest.empty() || rest.front() != '=') continue;  // another key, such as "Exec[de]" or "ExecFlags"
        std::optional<std::string> executable = FirstArgument(UnescapeString(TrimBlanks(rest.substr(1))));
        if (executable && executable->empty()) return std::nullopt;
        return executable;
    }
    return std::nullopt;
}

}  // namespace tockbell
