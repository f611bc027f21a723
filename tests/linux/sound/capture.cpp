#include "tests/linux/sound/capture.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace tockbell::test {

namespace {

constexpr std::size_t kFrameBytes = 4;
constexpr std::size_t kFramesPerMs = 44;  // 44.1, near enough for counting windows
constexpr int kSoundingLevel = 1000;      // far above the null sink's silence, far below the tones

}  // namespace

Capture::Capture() {
    if (const char* path = std::getenv("TOCKBELL_CAPTURE")) path_ = path;
}

std::size_t Capture::Frames() const {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path_, error);
    return error ? 0 : static_cast<std::size_t>(size / kFrameBytes);
}

bool Capture::Settle(std::chrono::milliseconds past) const {
    const std::size_t target = Frames() + static_cast<std::size_t>(past.count()) * kFramesPerMs;
    for (int i = 0; i < 100; ++i) {
        if (Frames() >= target) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

int Capture::SoundingMsFrom(std::size_t from) const {
    std::ifstream file(path_, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(from * kFrameBytes));
    std::vector<std::int16_t> window(kFramesPerMs * 2);
    int sounding = 0;
    while (file.read(reinterpret_cast<char*>(window.data()), static_cast<std::streamsize>(window.size() * 2))) {
        for (std::int16_t sample : window) {
            if (std::abs(sample) > kSoundingLevel) {
                ++sounding;
                break;
            }
        }
    }
    return sounding;
}

}  // namespace tockbell::test
