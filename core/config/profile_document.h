#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tockbell {

// An INI file held in memory with the platform's profile semantics, so that a whole new file can be
// built first and written in one piece. Writing it back gives what the platform's writer would have
// left after the same changes: CR LF lines, no blank lines, blanks around "=" dropped.
class ProfileDocument {
public:
    static ProfileDocument Parse(std::string_view text);
    std::string Serialize() const;

    // Replaces the value in place, or appends the key at the end of its section and a missing
    // section at the end of the file. A run of Sets leaves what a run of the platform's writes
    // leaves: each of those reads the file back first, so the line written before is taken as that
    // read finds it (its value without trailing blanks, a key holding "=" cut there).
    void Set(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Entry {
        std::string name;
        std::optional<std::string> value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> firstEntry;  // by CaseFoldedKey
    };

    ProfileDocument();
    Section& AddSection(std::string_view name);
    static void AddEntry(Section& section, std::string_view name, std::optional<std::string_view> value);
    const Section* FindSection(std::string_view name) const;
    void ReadBackLastWritten();

    std::vector<Section> sections_;  // the first one, nameless, holds the lines before any header
    std::unordered_map<std::string, std::size_t> firstSection_;
    struct Place {
        std::size_t section;
        std::size_t entry;
    };
    std::optional<Place> lastWritten_;
};

}  // namespace tockbell
