#include "core/app/hot_key.h"

#include "core/config/profile_text.h"

namespace tockbell {

namespace {

// F1 to F24 as 1 to 24; 0 for anything else.
int FunctionKey(std::string_view word) {
    if (word.size() < 2 || word.size() > 3 || (word[0] != 'F' && word[0] != 'f')) return 0;
    int number = 0;
    for (const char c : word.substr(1)) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number >= 1 && number <= 24 ? number : 0;
}

bool IsKeyCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::optional<HotKey> ParseHotKey(std::string_view value) {
    value = TrimProfileSpace(value);
    if (EqualIgnoringCase(value, "none")) return std::nullopt;
    HotKey key;
    bool last = false;
    while (!value.empty() && !last) {
        const std::size_t plus = value.find('+');
        const std::string_view word = TrimProfileSpace(value.substr(0, plus));
        last = plus == std::string_view::npos;
        value = last ? std::string_view() : value.substr(plus + 1);
        if (!last) {
            bool* modifier = EqualIgnoringCase(word, "ctrl")    ? &key.ctrl
                             : EqualIgnoringCase(word, "alt")   ? &key.alt
                             : EqualIgnoringCase(word, "shift") ? &key.shift
                             : EqualIgnoringCase(word, "win")   ? &key.win
                                                                : nullptr;
            if (modifier == nullptr) return kDefaultSayTimeKey;
            *modifier = true;
        } else if (word.size() == 1 && IsKeyCharacter(word[0])) {
            key.letter = word[0] >= 'a' ? static_cast<char>(word[0] - 'a' + 'A') : word[0];
        } else {
            key.function = FunctionKey(word);
            if (key.function == 0) return kDefaultSayTimeKey;
        }
    }
    if (!last || !(key.ctrl || key.alt || key.shift || key.win)) return kDefaultSayTimeKey;
    return key;
}

}  // namespace tockbell
