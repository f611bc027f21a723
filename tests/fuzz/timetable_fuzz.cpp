// Feeds arbitrary bytes to the time-table fill, the title and item checks and Save. Besides running
// clean under AddressSanitizer and UndefinedBehaviorSanitizer: the checks read each line as the C
// library's sscanf does; the fill never shows [Main] nor a line of 10 characters or fewer; and a
// valid tree saves to the bytes that one profile write per item would give, in which every item's
// time is found again with the file of the last item of that time.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/config/config_store.h"
#include "core/config/portable_profile_strings.h"
#include "core/config/profile_text.h"
#include "core/config/settings_file.h"
#include "core/timetable/timetable_editor.h"
#include "core/timetable/timetable_text.h"
#include "core/timetable/timetable_words.h"
#include "platform/fakes/fake_file_system.h"
#include "platform/fakes/fake_tree_control.h"

namespace {

using namespace tockbell;

constexpr const char* kConfig = "C:\\Tockbell.ini";
constexpr const char* kBackup = "C:\\Tockbell.bak";
constexpr std::size_t kSavedTextLimit = 259;

void Check(bool condition) {
    if (!condition) std::abort();
}

class NoFeedback : public EditorFeedback {
public:
    void SetStatus(std::string_view text) override { status = text; }
    void ShowFileError(const std::string&) override {}
    std::string status;
};

class NoClock : public Clock {
public:
    ClockReading Now() override { return {}; }
    std::tm LocalTimeAt(std::time_t) override { return {}; }
};

bool InRange(int value, int last) { return value >= 0 && value <= last; }

// Beyond nine digits the C library's "%d" leaves the value to the implementation.
bool HasLongNumber(const std::string& text) {
    std::size_t run = 0;
    for (const char c : text) {
        run = c >= '0' && c <= '9' ? run + 1 : 0;
        if (run > 9) return true;
    }
    return false;
}

int ReferenceDay(const char* word) {
    int day = 0;
    return std::sscanf(word, "%d", &day) == 1 && day >= 1 && day <= 31 ? day : 0;
}

void CheckAgainstTheCLibrary(const std::string& piece) {
    if (piece.find('\0') != std::string::npos || HasLongNumber(piece)) return;
    std::vector<char> a(piece.size() + 1), b(piece.size() + 1), c(piece.size() + 1);
    const bool punctuated = piece.size() > 5 && piece[2] == ':' && piece[5] == '=';
    int hour = -1, minute = -1;
    const int times = std::sscanf(piece.c_str(), "%02d:%02d", &hour, &minute);
    Check(PassesStrictItemCheck(piece) ==
          (piece.size() > 8 && punctuated && times == 2 && InRange(hour, 24) && InRange(minute, 59)));
    const int fields = std::sscanf(piece.c_str(), "%02d:%02d=%s", &hour, &minute, a.data());
    Check(IsValidItemText(piece) == (punctuated && fields == 3 && InRange(hour, 24) && InRange(minute, 59)));

    const int words = std::sscanf(piece.c_str(), "%s %s %s", a.data(), b.data(), c.data());
    bool valid = false;
    if (words == 1) {
        valid = RelativeDay(a.data()) || WeekdayNumber(a.data()) || MonthNumber(a.data()) || ReferenceDay(a.data());
    } else if (words == 2) {
        valid = (WeekdayNumber(a.data()) || MonthNumber(a.data())) && ReferenceDay(b.data());
    } else if (words == 3) {
        const std::string first(a.data());
        valid = first.back() == ',' && WeekdayNumber(first.substr(0, first.size() - 1)) && MonthNumber(b.data()) &&
                ReferenceDay(c.data());
    }
    Check(IsValidSectionTitle(piece) == valid);
}

struct Files {
    FakeFileSystem files;
    PortableProfileStrings strings{files};
    ConfigStore store{files, strings, kConfig, kBackup};
};

// A CR in a title or an item ends a line when the file is read back, so that a profile write per
// item finds another file than the one before it had left.
bool HoldsNoLineEnd(FakeTreeControl& tree) {
    for (TreeNode section = tree.FirstChild(nullptr); section; section = tree.Next(section)) {
        if (tree.Text(section, kSavedTextLimit).find('\r') != std::string::npos) return false;
        for (TreeNode item = tree.FirstChild(section); item; item = tree.Next(item)) {
            if (tree.Text(item, kSavedTextLimit).find('\r') != std::string::npos) return false;
        }
    }
    return true;
}

void CheckTheSave(const std::string& text) {
    Files page;
    page.files.files[kConfig] = text;
    FakeTreeControl tree;
    NoFeedback feedback;
    NoClock clock;
    ClockSettings settings(8);
    TimeTableEditor editor(tree, feedback, {&page.store, page.files, settings, clock, {}});
    editor.ReloadTree();
    editor.OnSave();
    if (feedback.status != "OK" || !HoldsNoLineEnd(tree)) return;
    const std::string saved = page.files.files[kConfig];

    Files perItem;
    Check(SaveSettings(perItem.store, settings, Rotation::ToBackup));
    std::map<std::pair<std::string, std::string>, std::string> lastFiles;
    for (TreeNode section = tree.FirstChild(nullptr); section; section = tree.Next(section)) {
        const std::string title = tree.Text(section, kSavedTextLimit);
        for (TreeNode item = tree.FirstChild(section); item; item = tree.Next(item)) {
            const std::string line = tree.Text(item, kSavedTextLimit);
            perItem.store.WriteConfigString(title, ItemKey(line), ItemFile(line));
            if (ItemKey(line).find('=') != std::string::npos) continue;  // read back as a shorter key
            lastFiles[{CaseFoldedKey(TrimProfileSpace(title)), CaseFoldedKey(TrimProfileSpace(ItemKey(line)))}] =
                std::string(TrimProfileSpace(ItemFile(line)));
        }
    }
    Check(perItem.files.files[kConfig] == saved);
    for (const auto& [name, file] : lastFiles) Check(FindProfileValue(saved, name.first, name.second) == file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const TimeTableSection& section : ReadTimeTableSections(text)) {
        Check(section.title != "Main");
        for (const std::string& item : section.items) Check(item.size() > 10 && item.find('\n') == std::string::npos);
    }
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        CheckAgainstTheCLibrary(text.substr(start, end - start));
        start = end + 1;
    }
    CheckTheSave(text);
    return 0;
}
