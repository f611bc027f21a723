#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tockbell {

// How the platform's profile functions read an INI text: lines end at any run of CR and LF, blanks
// (and the old end-of-file mark 0x1A) around names and values do not count, names compare without
// regard to case.

bool IsProfileSpace(char c);
std::string_view TrimProfileSpace(std::string_view text);
// Comparison without regard to letter case, for the Windows-1252 code page that names, paths and
// the file are written in.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// A form of `text` that is equal for exactly the texts EqualIgnoringCase takes as equal.
std::string CaseFoldedKey(std::string_view text);

struct ProfileLine {
    enum class Kind { Section, Entry };
    Kind kind = Kind::Entry;
    std::string_view name;
    std::optional<std::string_view> value;  // none for a line without "="
};

// Walks an INI text line by line; views point into the text, which must outlive the scanner.
class ProfileLineScanner {
public:
    explicit ProfileLineScanner(std::string_view text) : rest_(text) {}
    bool Next(ProfileLine& line);

private:
    std::string_view rest_;
};

// The stored value of the first such key in the first such section, as the platform looks it up;
// none for a missing key and for a line without "=".
std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key);

// What a read of the value returns: quotes around it dropped, cut to fit a buffer of `bufferSize`.
std::string ProfileReadResult(std::string_view value, std::size_t bufferSize);

}  // namespace tockbell
