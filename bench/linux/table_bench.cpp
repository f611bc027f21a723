// How long the Linux Table page takes to fill its tree and to save it, for a time-table of 10,000
// items in 200 sections, on the Qt tree shown on a screen without a display: median of five each,
// in milliseconds, as bench/timetable/timetable_bench.cpp measures the Windows page.
//
//   table_bench FOLDER    works in FOLDER (made if missing)
#include <QApplication>
#include <QTreeWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "bench/table_bench.h"
#include "core/config/portable_profile_strings.h"
#include "core/settings/table_page_model.h"
#include "linux/settings/qt_tree_control.h"
#include "posix/posix_clock.h"
#include "posix/posix_file_system.h"

namespace {

using namespace tockbell;

constexpr int kRuns = 5;

class StatusView : public TablePageView {
public:
    void Show(const RecorderControls& controls) override { status = controls.status; }
    void ShowDuration(int, int, int) override {}
    void ShowFileError(const std::string& text) override { status = text; }
    void Beep() override {}
    std::string status;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: table_bench FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string config = folder + "/tockbell.ini";

    PosixFileSystem files;
    PortableProfileStrings strings(files);
    ConfigStore store(files, strings, config, folder + "/tockbell.bak");
    ClockSettings settings(8);
    PosixClock clock;
    QTreeWidget widget;
    widget.setHeaderHidden(true);
    widget.setUniformRowHeights(true);
    widget.resize(400, 300);
    widget.show();
    QtTreeControl tree(widget);
    StatusView view;
    TablePageModel page(tree, view, {&store, files, settings, clock, folder + "/tockbell.wav"},
                        {[](const std::string&) {}, [](const std::string&) {}});

    std::vector<double> fills;
    std::vector<double> saves;
    for (int run = 0; run < kRuns; ++run) {
        files.Write(config, BenchTimeTableFile());
        fills.push_back(Milliseconds([&] {
            page.Command(TableCommand::Reload);
            QApplication::processEvents();
        }));
        saves.push_back(Milliseconds([&] { page.Command(TableCommand::Save); }));
        if (view.status != "OK") {
            std::fprintf(stderr, "Save said \"%s\"\n", view.status.c_str());
            return 1;
        }
    }
    std::printf("tree of %d items in %d sections\n", kBenchSections * kBenchItemsPerSection, kBenchSections);
    std::printf("fill (ms): median %.1f\n", Median(fills));
    std::printf("save (ms): median %.1f\n", Median(saves));
    return 0;
}
