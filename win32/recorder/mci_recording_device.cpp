#include "win32/recorder/mci_recording_device.h"

#include <windows.h>
#include <mmsystem.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

namespace tockbell {

namespace {

constexpr WORD kChannels = 1;
constexpr WORD kBitsPerSample = 8;
constexpr DWORD kSamplesPerSecond = 11025;
// The driver's recording thread ends milliseconds after a stop; the bound only keeps a hung driver
// from hanging the recorder.
constexpr DWORD kDriverThreadWaitMs = 5000;

bool Status(MCIDEVICEID id, DWORD item, DWORD_PTR& value) {
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    if (mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)) != 0) {
        return false;
    }
    value = status.dwReturn;
    return true;
}

bool HasRecorderFormat(MCIDEVICEID id) {
    DWORD_PTR bits = 0, channels = 0, rate = 0;
    return Status(id, MCI_WAVE_STATUS_BITSPERSAMPLE, bits) && Status(id, MCI_WAVE_STATUS_CHANNELS, channels) &&
           Status(id, MCI_WAVE_STATUS_SAMPLESPERSEC, rate) && bits == kBitsPerSample && channels == kChannels &&
           rate == kSamplesPerSecond;
}

bool SetRecorderFormat(MCIDEVICEID id) {
    MCI_WAVE_SET_PARMS set{};
    set.wFormatTag = WAVE_FORMAT_PCM;
    set.nChannels = kChannels;
    set.nSamplesPerSec = kSamplesPerSecond;
    set.nAvgBytesPerSec = kSamplesPerSecond * kChannels * kBitsPerSample / 8;
    set.nBlockAlign = kChannels * kBitsPerSample / 8;
    set.wBitsPerSample = kBitsPerSample;
    const DWORD fields = MCI_WAVE_SET_FORMATTAG | MCI_WAVE_SET_CHANNELS | MCI_WAVE_SET_SAMPLESPERSEC |
                         MCI_WAVE_SET_AVGBYTESPERSEC | MCI_WAVE_SET_BLOCKALIGN | MCI_WAVE_SET_BITSPERSAMPLE;
    return mciSendCommandA(id, MCI_SET, fields | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&set)) == 0;
}

// The identifiers of this process's threads, sorted.
std::vector<DWORD> ProcessThreads() {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.push_back(entry.th32ThreadID);
    }
    CloseHandle(snapshot);
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool StartsIn(HANDLE thread, HMODULE module) {
    using QueryThread = NTSTATUS(NTAPI*)(HANDLE, THREADINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryThread>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    void* start = nullptr;
    if (!query || query(thread, ThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) != 0) return false;
    HMODULE owner = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(start), &owner) &&
           owner == module;
}

class MciRecordingDevice : public RecordingDevice {
public:
    explicit MciRecordingDevice(MCIDEVICEID id) : id_(id) {}
    ~MciRecordingDevice() override {
        // Wine's close stops a recording without waiting for the driver's thread.
        Stop();
        Command(MCI_CLOSE);
    }
    MciRecordingDevice(const MciRecordingDevice&) = delete;
    MciRecordingDevice& operator=(const MciRecordingDevice&) = delete;

    bool Record() override {
        const std::vector<DWORD> before = ProcessThreads();
        MCI_RECORD_PARMS record{};
        const bool started =
            mciSendCommandA(id_, MCI_RECORD, MCI_RECORD_OVERWRITE, reinterpret_cast<DWORD_PTR>(&record)) == 0;
        KeepDriverThreadsSince(before);
        return started;
    }

    // Wine answers a pause while paused and a resume while recording with success; the mode covers
    // drivers that call these out of order.
    bool Pause() override { return Command(MCI_PAUSE) || Mode() == RecordingMode::Paused; }
    bool Resume() override { return Command(MCI_RESUME) || Mode() == RecordingMode::Recording; }

    RecordingMode Mode() override {
        DWORD_PTR mode = 0;
        if (!Status(id_, MCI_STATUS_MODE, mode)) return RecordingMode::Unknown;
        switch (mode) {
            case MCI_MODE_RECORD: return RecordingMode::Recording;
            case MCI_MODE_PAUSE: return RecordingMode::Paused;
            case MCI_MODE_STOP: return RecordingMode::Stopped;
            default: return RecordingMode::Unknown;
        }
    }

    // Wine reports the stop at once, while the thread it started for the recording still writes into
    // the device's memory and file; a save or close in that moment corrupts the heap. So the stop is
    // over only when that thread has ended.
    void Stop() override {
        Command(MCI_STOP);
        for (HANDLE thread : driverThreads_) {
            WaitForSingleObject(thread, kDriverThreadWaitMs);
            CloseHandle(thread);
        }
        driverThreads_.clear();
    }

    bool Save(const std::string& path) override {
        // Wine's save, too, stops a recording without waiting for the driver's thread.
        Stop();
        MCI_SAVE_PARMSA save{};
        save.lpfilename = path.c_str();
        return mciSendCommandA(id_, MCI_SAVE, MCI_SAVE_FILE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&save)) == 0;
    }

private:
    bool Command(UINT command) {
        MCI_GENERIC_PARMS parameters{};
        return mciSendCommandA(id_, command, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters)) == 0;
    }

    // Keeps the threads the waveform driver started since `before` (sorted), to wait for them on Stop.
    // A driver that records on a thread it had already keeps none.
    void KeepDriverThreadsSince(const std::vector<DWORD>& before) {
        HMODULE driver = GetModuleHandleA("mciwave.dll");
        if (!driver) return;
        for (DWORD id : ProcessThreads()) {
            if (std::binary_search(before.begin(), before.end(), id)) continue;
            HANDLE thread = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, id);
            if (!thread) continue;  // ended already
            if (StartsIn(thread, driver)) {
                driverThreads_.push_back(thread);
            } else {
                CloseHandle(thread);
            }
        }
    }

    MCIDEVICEID id_;
    std::vector<HANDLE> driverThreads_;
};

}  // namespace

std::unique_ptr<RecordingDevice> MciRecordingDevices::Open() {
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = "waveaudio";
    // No file: Wine holds an opened element file until the device closes, so a save onto it is lost.
    open.lpstrElementName = "";
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) !=
        0) {
        return nullptr;
    }
    const MCIDEVICEID id = open.wDeviceID;
    auto device = std::make_unique<MciRecordingDevice>(id);
    if (!HasRecorderFormat(id) && !(SetRecorderFormat(id) && HasRecorderFormat(id))) return nullptr;
    return device;
}

}  // namespace tockbell
