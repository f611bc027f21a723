// The Linux sound suite runs against a private sound server whose output it records. Run
// directly, the binary starts one: it runs itself again under with_pulse.sh. With
// TOCKBELL_SOUND_SERVER=none it runs where there is no server at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const char* server = std::getenv("TOCKBELL_SOUND_SERVER");
    const bool withoutServer = server && std::strcmp(server, "none") == 0;
    if (!withoutServer && !std::getenv("TOCKBELL_CAPTURE")) {
        std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        std::vector<char*> command = {const_cast<char*>("bash"), const_cast<char*>(TOCKBELL_WITH_PULSE), self.data()};
        command.insert(command.end(), argv + 1, argv + argc);
        command.push_back(nullptr);
        execvp("bash", command.data());
        return 127;
    }
    // As in the program, an application object exists before any sound plays.
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
