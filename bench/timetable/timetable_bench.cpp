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
#include "bench/table_bench.h"
#include "platform/fakes/fake_recording_device.h"
#include "resource.h"
#include "tests/win32/table_page_host.h"
#include "win32/chime/win32_sound.h"
#include "win32/config/win32_file_system.h"
#include "win32/settings/table_page_view.h"

namespace {

using namespace tockbell;

constexpr int kRuns = 5;

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
    const std::string file = BenchTimeTableFile();

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND parent =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    TablePageHost host(parent);
    const HWND page = host.Page();

    Win32FileSystem files;
    PortableProfileStrings strings(files);
    ConfigStore store(files, strings, config, folder + "\\tockbell.bak");
    ClockSettings settings(8);
    FakeRecordingDevices devices(files);
    Win32Threads threads;
    ResourceWaveSounds waves(GetModuleHandleA(nullptr));
    MciMediaPlayer media;
    SoundServices sounds{settings.flags, waves, media, threads, [](std::chrono::milliseconds) {}};
    RecorderServices recording{settings.flags, devices, files, threads, [](std::chrono::milliseconds) {}};
    CTablePageView table(page, &store, files, settings, folder + "\\tockbell.wav", recording, sounds);
    TablePageHost::view = &table;

    std::vector<double> fills;
    std::vector<double> saves;
    for (int run = 0; run < kRuns; ++run) {
        files.Write(config, file);
        fills.push_back(Milliseconds([&] {
            table.Model().Command(TableCommand::Reload);
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
        files.Write(config, kBenchMain);
        for (int section = 0; section < kBenchSections; ++section) {
            const std::string title = BenchSectionTitle(section);
            for (int item = 0; item < kBenchItemsPerSection; ++item) {
                const std::string key = BenchItemKey(item);
                const std::string value = std::string("Reminder").append(std::to_string(item)).append(".wav");
                WritePrivateProfileStringA(title.c_str(), key.c_str(), value.c_str(), config.c_str());
            }
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, config.c_str());
    });
    const bool same = files.Read(config).content == saved;

    std::printf("tree of %d items in %d sections\n", kBenchSections * kBenchItemsPerSection, kBenchSections);
    std::printf("fill (ms): median %.1f\n", Median(fills));
    std::printf("save (ms): median %.1f\n", Median(saves));
    std::printf("one profile write per item (ms): %.1f, %s file\n", perItem, same ? "the same" : "a DIFFERENT");
    DestroyWindow(parent);
    return same ? 0 : 1;
}
