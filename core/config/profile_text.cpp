#include "core/config/profile_text.h"

#include <algorithm>

namespace tockbell {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Windows-1252 upper case to lower case; the few letters outside Latin-1's regular blocks are listed.
unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

}  // namespace

bool IsProfileSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }

std::string_view TrimProfileSpace(std::string_view text) {
    while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(static_cast<unsigned char>(x)) == FoldCase(static_cast<unsigned char>(y));
           });
}

std::string CaseFoldedKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    return key;
}

bool ProfileLineScanner::Next(ProfileLine& line) {
    while (!rest_.empty()) {
        const auto end = static_cast<std::size_t>(std::find_if(rest_.begin(), rest_.end(), IsLineEnd) - rest_.begin());
        std::string_view text = TrimProfileSpace(rest_.substr(0, end));
        rest_.remove_prefix(end);
        while (!rest_.empty() && IsLineEnd(rest_.front())) rest_.remove_prefix(1);
        if (text.empty()) continue;

        // A "[" line without "]" is no header: it is read as an entry.
        const std::size_t close = text.rfind(']');
        if (text.front() == '[' && close != std::string_view::npos) {
            line.kind = ProfileLine::Kind::Section;
            line.name = TrimProfileSpace(text.substr(1, close - 1));
            line.value.reset();
            return true;
        }
        line.kind = ProfileLine::Kind::Entry;
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            line.name = text;
            line.value.reset();
        } else {
            line.name = TrimProfileSpace(text.substr(0, equals));
            line.value = TrimProfileSpace(text.substr(equals + 1));
        }
        return true;
    }
    return false;
}

std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key) {
    section = TrimProfileSpace(section);
    key = TrimProfileSpace(key);
    // The lines before the first header form the section without a name.
    bool inSection = section.empty();
    ProfileLineScanner scanner(text);
    ProfileLine line;
    while (scanner.Next(line)) {
        if (line.kind == ProfileLine::Kind::Section) {
            // Only the first section of that name is searched.
            if (inSection) return std::nullopt;
            inSection = EqualIgnoringCase(line.name, section);
        } else if (inSection && EqualIgnoringCase(line.name, key)) {
            return line.value;
        }
    }
    return std::nullopt;
}

std::string ProfileReadResult(std::string_view value, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value.remove_prefix(1);
        quoted = true;
    }
    std::string result(value.substr(0, bufferSize - 1));
    // As the platform does: the last character goes when the value without its opening quote fits the
    // buffer size, which cuts one character more from a quoted value of exactly that size.
    if (quoted && bufferSize >= value.size() && !result.empty()) result.pop_back();
    return result;
}

}  // namespace tockbell
