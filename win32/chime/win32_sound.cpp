#include "win32/chime/win32_sound.h"

#include <mmsystem.h>

namespace tockbell {

namespace {

class MciDevice : public MediaDevice {
public:
    explicit MciDevice(MCIDEVICEID id) : id_(id) {}
    ~MciDevice() override {
        mciSendCommandA(id_, MCI_STOP, MCI_WAIT, 0);
        mciSendCommandA(id_, MCI_CLOSE, MCI_WAIT, 0);
    }
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    void Play() override {
        MCI_PLAY_PARMS play{};
        mciSendCommandA(id_, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
    }

    bool IsPlaying() override {
        MCI_STATUS_PARMS status{};
        status.dwItem = MCI_STATUS_MODE;
        return mciSendCommandA(id_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
               status.dwReturn == MCI_MODE_PLAY;
    }

private:
    MCIDEVICEID id_;
};

}  // namespace

std::span<const std::uint8_t> ResourceWaveSounds::Resource(const std::string& name) {
    HRSRC found = FindResourceA(module_, name.c_str(), "WAVE");
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    // Resources stay mapped for the life of the module, so the view stays valid.
    return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module_, found)};
}

void ResourceWaveSounds::Play(const std::vector<std::uint8_t>& image) {
    PlaySoundA(reinterpret_cast<LPCSTR>(image.data()), nullptr, SND_MEMORY | SND_NODEFAULT);
}

void ResourceWaveSounds::Purge() { PlaySoundA(nullptr, nullptr, SND_PURGE); }

std::unique_ptr<MediaDevice> MciMediaPlayer::Open(const std::string& path) {
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = path.c_str();
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
        return nullptr;
    }
    return std::make_unique<MciDevice>(open.wDeviceID);
}

void Win32Threads::StartLowestPriority(std::function<void()> body) {
    auto* owned = new std::function<void()>(std::move(body));
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            std::unique_ptr<std::function<void()>> run(static_cast<std::function<void()>*>(parameter));
            (*run)();
            return 0;
        },
        owned, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        delete owned;
        return;
    }
    SetThreadPriority(thread, THREAD_PRIORITY_LOWEST);
    ResumeThread(thread);
    CloseHandle(thread);
}

}  // namespace tockbell
