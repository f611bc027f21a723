#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/timetable/timetable_words.h"

namespace tockbell {

// What the Table page's benchmarks of both programs share: the time-table, 10,000 items in 200 sections, each a title that the Save check takes.
inline constexpr int kBenchSections = 200;
inline constexpr int kBenchItemsPerSection = 50;
// What Save writes of the settings that the benchmarks run with.
inline constexpr const char* kBenchMain = "[Main]\r\nFlags=31,2,8,0\r\n";

// Day-of-month sections 01 to 31, then the weekdays and months with a day.
inline std::string BenchSectionTitle(int index) {
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

inline std::string BenchItemKey(int item) {
    char key[8];
    std::snprintf(key, sizeof key, "%02d:%02d", item / 6 + 6, item % 6 * 10);
    return key;
}

inline std::string BenchTimeTableFile() {
    std::string file = kBenchMain;
    for (int section = 0; section < kBenchSections; ++section) {
        file.append("[").append(BenchSectionTitle(section)).append("]\r\n");
        for (int item = 0; item < kBenchItemsPerSection; ++item) {
            file.append(BenchItemKey(item)).append("=Reminder").append(std::to_string(item)).append(".wav\r\n");
        }
    }
    return file;
}

inline double Milliseconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace tockbell
