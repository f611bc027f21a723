// How long the Table page takes to fill its tree and to save it, for a time-table of 10,000 items in
// 200 sections, on the real tree control: median of five each, in milliseconds. For comparison, the
// same time-table written as one profile write per item after the rotation.
//
//   timetable_bench FOLDER    works in FOLDER (made if missing), a Windows path
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/config/portable_profile_strings.h"
#include "core/timetable/timetable_words.h"
#include "resource.h"
#include "tests/win32/table_page_host.h"
#include "win32/config/win32_file_system.h"
#include "win32/timetable/timetable_tree_view.h"

namespace {

using namespace tockbell;

constexpr int kSections = 200;
constexpr int kItemsPerSection = 50;
constexpr int kRuns = 5;
// What Save writes of the settings that the benchmark runs with.
constexpr const char* kMain = "[Main]\r\nFlags=31,2,8,0\r\n";

// Day-of-month sections 01 to 31, then the weekdays and months with a day, all of them titles that
// the Save check takes.
std::string SectionTitle(int index) {
    char title[32];
    if (index < 31) {
        std::snprintf(title, sizeof title, "%02d", index + 1);
    } else {
        const auto names = index % 2 ? kWeekdayNames.size() : kMonthNames.size();
        const std::string_view name = index % 2 ? kWeekdayNames[static_cast<std::size_t>(index) % names]
                                                : kMonthNames[static_cast<std::size_t>(index) % names];
        std::snprintf(title, sizeof title, "%.*s %02d", static_cast<int>(name.size()), name.data(), index % 28 + 1);
    }
    return title;
}

std::string TimeTableFile() {
    std::string file = kMain;
    for (int section = 0; section < kSections; ++section) {
        file.append("[").append(SectionTitle(section)).append("]\r\n");
        for (int item = 0; item < kItemsPerSection; ++item) {
            char line[64];
            std::snprintf(line, sizeof line, "%02d:%02d=Reminder%d.wav\r\n", item / 6 + 6, item % 6 * 10, item);
            file += line;
        }
    }
    return file;
}

double Milliseconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string Status(HWND page) {
    char text[128] = {};
    GetDlgItemTextA(page, IDC_STATUS, text, sizeof text);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: timetable_bench FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string config = folder + "\\tockbell.ini";
    const std::string file = TimeTableFile();

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                        nullptr, nullptr);
    TablePageHost host(parent);
    const HWND page = host.Page();

    Win32FileSystem files;
    PortableProfileStrings strings(files);
    ConfigStore store(files, strings, config, folder + "\\tockbell.bak");
    ClockSettings settings(8);
    CTimeTableTree table(page, &store, files, settings, folder + "\\tockbell.wav");
    TablePageHost::tree = &table;

    std::vector<double> fills;
    std::vector<double> saves;
    for (int run = 0; run < kRuns; ++run) {
        files.Write(config, file);
        fills.push_back(Milliseconds([&] {
            table.Editor().ReloadTree();
            UpdateWindow(page);
        }));
        saves.push_back(Milliseconds([&] { SendMessageA(page, WM_COMMAND, IDC_SAVE, 0); }));
        if (Status(page) != "OK") {
            std::fprintf(stderr, "Save said \"%s\"\n", Status(page).c_str());
            return 1;
        }
    }
    const std::string saved = files.Read(config).content;

    // The described writing: the file rotated with a new [Main], then one profile write per item.
    const double perItem = Milliseconds([&] {
        files.Write(config, kMain);
        for (int section = 0; section < kSections; ++section) {
            const std::string title = SectionTitle(section);
            for (int item = 0; item < kItemsPerSection; ++item) {
                char key[8];
                std::snprintf(key, sizeof key, "%02d:%02d", item / 6 + 6, item % 6 * 10);
                const std::string value = std::string("Reminder").append(std::to_string(item)).append(".wav");
                WritePrivateProfileStringA(title.c_str(), key, value.c_str(), config.c_str());
            }
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, config.c_str());
    });
    const bool same = files.Read(config).content == saved;

    std::printf("tree of %d items in %d sections\n", kSections * kItemsPerSection, kSections);
    std::printf("fill (ms): median %.1f\n", Median(fills));
    std::printf("save (ms): median %.1f\n", Median(saves));
    std::printf("one profile write per item (ms): %.1f, %s file\n", perItem, same ? "the same" : "a DIFFERENT");
    DestroyWindow(parent);
    return same ? 0 : 1;
}
