#include "tests/unit/fake_sound.h"

#include <cstdio>

namespace tockbell {

namespace {

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all = {"WAVE0", "WAVE1", "WAVE030", "WAVE0AM", "WAVE0PM"};
        for (int hour = 1; hour <= 12; ++hour) {
            char name[16];
            std::snprintf(name, sizeof name, "WAVE%03d", hour);
            all.push_back(name);
        }
        return all;
    }();
    return names;
}

}  // namespace

FakeWaveSounds::FakeWaveSounds() {
    for (std::size_t i = 0; i < Names().size(); ++i) {
        std::vector<std::uint8_t> image(45, 0);
        const char header[] = "RIFF\x25\0\0\0WAVEfmt ";
        std::copy(header, header + 16, image.begin());
        std::copy_n("data", 4, image.begin() + 36);
        image[34] = 8;
        image[40] = 1;
        image[44] = static_cast<std::uint8_t>(i);
        images_[Names()[i]] = image;
    }
}

std::span<const std::uint8_t> FakeWaveSounds::Resource(const std::string& name) {
    const auto found = images_.find(name);
    if (found == images_.end()) return {};
    return found->second;
}

void FakeWaveSounds::Play(const std::vector<std::uint8_t>& image) {
    // Played undivided (divisor 1) the sample is the sound's index; otherwise look it up scaled.
    std::string name = "?";
    for (std::size_t i = 0; i < Names().size(); ++i) {
        if (image.size() >= 45 && image.back() == static_cast<std::uint8_t>(i)) name = Names()[i];
    }
    {
        std::lock_guard lock(mutex_);
        played_.push_back(name);
    }
    if (whilePlaying) whilePlaying(name);
}

void FakeWaveSounds::Purge() {
    std::lock_guard lock(mutex_);
    ++purges_;
}

std::vector<std::string> FakeWaveSounds::Played() const {
    std::lock_guard lock(mutex_);
    return played_;
}

int FakeWaveSounds::Purges() const {
    std::lock_guard lock(mutex_);
    return purges_;
}

class FakeMediaPlayer::Device : public MediaDevice {
public:
    Device(FakeMediaPlayer& player, std::string path, int polls) : player_(player), path_(std::move(path)), polls_(polls) {}
    ~Device() override { player_.Add("close " + path_); }
    void Play() override { player_.Add("play " + path_); }
    bool IsPlaying() override {
        ++polled_;
        if (player_.onPoll) player_.onPoll(path_, polled_);
        return polled_ <= polls_;
    }

private:
    FakeMediaPlayer& player_;
    std::string path_;
    int polls_;
    int polled_ = 0;
};

std::unique_ptr<MediaDevice> FakeMediaPlayer::Open(const std::string& path) {
    const auto found = pollsWhilePlaying.find(path);
    if (found == pollsWhilePlaying.end()) {
        Add("cannot open " + path);
        return nullptr;
    }
    Add("open " + path);
    return std::make_unique<Device>(*this, path, found->second);
}

void FakeMediaPlayer::Add(const std::string& entry) {
    std::lock_guard lock(mutex_);
    log_.push_back(entry);
}

std::vector<std::string> FakeMediaPlayer::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

}  // namespace tockbell
