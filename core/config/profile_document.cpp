#include "core/config/profile_document.h"

#include "core/config/profile_text.h"

namespace tockbell {

ProfileDocument::ProfileDocument() { AddSection({}); }

ProfileDocument ProfileDocument::Parse(std::string_view text) {
    ProfileDocument document;
    Section* current = &document.sections_.front();
    ProfileLineScanner scanner(text);
    ProfileLine line;
    while (scanner.Next(line)) {
        if (line.kind == ProfileLine::Kind::Section) {
            current = &document.AddSection(line.name);
            continue;
        }
        // The platform keeps one line of a run of lines with nothing before their "=".
        if (line.name.empty() && !current->entries.empty() && current->entries.back().name.empty()) continue;
        AddEntry(*current, line.name, line.value);
    }
    return document;
}

std::string ProfileDocument::Serialize() const {
    std::string text;
    for (const Section& section : sections_) {
        if (!section.name.empty()) text.append("[").append(section.name).append("]\r\n");
        for (const Entry& entry : section.entries) {
            text.append(entry.name);
            if (entry.value) text.append("=").append(*entry.value);
            text.append("\r\n");
        }
    }
    return text;
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    ReadBackLastWritten();
    section = TrimProfileSpace(section);
    key = TrimProfileSpace(key);
    while (!value.empty() && IsProfileSpace(value.front())) value.remove_prefix(1);

    const Section* found = FindSection(section);
    Section& target = found ? sections_[static_cast<std::size_t>(found - sections_.data())] : AddSection(section);
    const auto entry = target.firstEntry.find(CaseFoldedKey(key));
    if (entry != target.firstEntry.end()) {
        target.entries[entry->second].value = std::string(value);
        lastWritten_ = Place{static_cast<std::size_t>(&target - sections_.data()), entry->second};
    } else {
        AddEntry(target, key, value);
        lastWritten_ = Place{static_cast<std::size_t>(&target - sections_.data()), target.entries.size() - 1};
    }
}

void ProfileDocument::ReadBackLastWritten() {
    if (!lastWritten_) return;
    Section& section = sections_[lastWritten_->section];
    const std::size_t index = lastWritten_->entry;
    lastWritten_.reset();
    Entry& entry = section.entries[index];
    const std::string line = entry.name + "=" + entry.value.value_or(std::string());
    ProfileLineScanner scanner(line);
    ProfileLine read;
    if (!scanner.Next(read) || read.kind != ProfileLine::Kind::Entry) return;
    if (read.name != entry.name) {
        // Only a line just appended can change its name, so no later line can hold the new one.
        const auto first = section.firstEntry.find(CaseFoldedKey(entry.name));
        if (first != section.firstEntry.end() && first->second == index) section.firstEntry.erase(first);
        section.firstEntry.try_emplace(CaseFoldedKey(read.name), index);
    }
    Entry readBack{std::string(read.name), read.value ? std::optional<std::string>(*read.value) : std::nullopt};
    entry = std::move(readBack);
}

ProfileDocument::Section& ProfileDocument::AddSection(std::string_view name) {
    firstSection_.try_emplace(CaseFoldedKey(name), sections_.size());
    return sections_.emplace_back(Section{std::string(name), {}, {}});
}

void ProfileDocument::AddEntry(Section& section, std::string_view name, std::optional<std::string_view> value) {
    section.firstEntry.try_emplace(CaseFoldedKey(name), section.entries.size());
    section.entries.push_back(Entry{std::string(name), value ? std::optional<std::string>(*value) : std::nullopt});
}

const ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) const {
    const auto found = firstSection_.find(CaseFoldedKey(name));
    return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

}  // namespace tockbell
