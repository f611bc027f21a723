// The configuration store on a large time-table: 10,000 entries in 200 sections, on the real disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/config/config_store.h"
#include "core/config/portable_profile_strings.h"
#include "core/config/settings_file.h"
#include "posix/posix_file_system.h"

namespace tockbell {
namespace {

constexpr int kSections = 200;
constexpr int kEntriesPerSection = 50;

struct Entry {
    std::string section, key, value;
};

std::vector<Entry> TimeTable() {
    std::vector<Entry> entries;
    for (int s = 0; s < kSections; ++s) {
        const std::string section = s == 0 ? "Tomorrow" : s == 1 ? "Today" : "Section " + std::to_string(s);
        for (int e = 0; e < kEntriesPerSection; ++e) {
            char key[6];
            std::snprintf(key, sizeof key, "%02d:%02d", e / 60 + s % 24, e % 60);
            entries.push_back({section, key, "Reminder" + std::to_string(s * kEntriesPerSection + e) + ".wav"});
        }
    }
    return entries;
}

// A configuration file in a folder of its own, holding "Main" and the time-table.
struct LargeConfig {
    LargeConfig() {
        std::filesystem::create_directories(folder);
        Save();
        text = files.Read(store.ConfigPath()).content;
    }
    ~LargeConfig() { std::filesystem::remove_all(folder); }

    // What the time-table editor's Save does: "Main", then every entry, with rotation.
    void Save() {
        SaveSettings(store, settings, Rotation::ToBackup, [this](std::string_view, ProfileDocument& file) {
            for (const Entry& entry : entries) file.Set(entry.section, entry.key, entry.value);
        });
    }
    void Restore() { files.Write(store.ConfigPath(), text); }

    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tockbell-bench";
    std::vector<Entry> entries = TimeTable();
    PosixFileSystem files;
    PortableProfileStrings strings{files};
    ConfigStore store{files, strings, (folder / "tockbell.ini").string(), (folder / "tockbell.bak").string()};
    ClockSettings settings{8};
    std::string text;
};

void BM_SaveWithRotation(benchmark::State& state) {
    LargeConfig config;
    for (auto _ : state) config.Save();
    state.counters["bytes"] = static_cast<double>(config.text.size());
}
BENCHMARK(BM_SaveWithRotation)->Unit(benchmark::kMillisecond);

void BM_RollDay(benchmark::State& state) {
    LargeConfig config;
    for (auto _ : state) {
        state.PauseTiming();
        config.Restore();
        state.ResumeTiming();
        RollDay(config.store, config.settings, 9);
    }
}
BENCHMARK(BM_RollDay)->Unit(benchmark::kMillisecond);

void BM_ReadConfigString(benchmark::State& state) {
    LargeConfig config;
    const Entry& last = config.entries.back();
    for (auto _ : state) benchmark::DoNotOptimize(config.store.ReadConfigString(last.section, last.key));
}
BENCHMARK(BM_ReadConfigString)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tockbell

BENCHMARK_MAIN();
