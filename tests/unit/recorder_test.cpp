#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/config/clock_settings.h"
#include "core/recorder/record_thread.h"
#include "core/recorder/voice_recorder.h"
#include "platform/fakes/fake_file_system.h"
#include "platform/fakes/fake_recording_device.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;

const std::string kVoice = "C:\\Clock\\tockbell.wav";
const std::string kTemporary = kVoice + ".new";
const std::string kOldRecording = "RIFF old recording";

// The page, the recorder thread and the dialog's timer on one thread and one virtual clock: the
// recorder thread runs inside RECORD, and every sleep moves the clock on and lets the timer tick
// at each full second of it.
struct RecorderRig {
    void Sleep(std::chrono::milliseconds step) {
        sleeps.push_back(step);
        const std::chrono::milliseconds until = now + step;
        while (nextTick <= until) {
            now = nextTick;
            nextTick += 1000ms;
            Tick();
        }
        now = until;
    }
    void Tick() {
        if (now > 600s) flags.fetch_or(FLAG_QUITTING);  // a recording that would never end
        if (beforeTick) beforeTick();
        recorder.OnTimer(controls, duration);
        if (stoppedAt < 0ms && !controls.stopEnabled && controls.recordEnabled && busySince >= 0ms) stoppedAt = now;
    }
    void Record() {
        devices.onModeQuery = [this] {
            if (busySince < 0ms) busySince = now;
            if (onPass) onPass();
        };
        recorder.OnRecord(controls);
    }
    std::chrono::milliseconds RecordedFor() const { return stoppedAt - busySince; }

    std::atomic<std::uint32_t> flags{kDefaultFlags};
    std::uint32_t pageFlags = 0;
    FakeFileSystem files;
    FakeRecordingDevices devices{files};
    InlineThreads threads;
    std::vector<std::chrono::milliseconds> sleeps;
    std::chrono::milliseconds now{0};
    std::chrono::milliseconds nextTick{400};
    std::chrono::milliseconds busySince{-1};
    std::chrono::milliseconds stoppedAt{-1};
    int duration = kDefaultRecordSeconds;
    std::function<void()> beforeTick;
    std::function<void()> onPass;
    std::vector<std::string> played;
    bool runThread = true;  // false: RECORD leaves the thread waiting for other sounds
    RecorderServices services{flags, devices, files, threads, [this](std::chrono::milliseconds d) { Sleep(d); }};
    VoiceRecorder recorder{flags,
                           pageFlags,
                           files,
                           kVoice,
                           {[this](const std::string& path) {
                                if (runThread) StartRecording(services, path);
                            },
                            [this](const std::string& path) { played.push_back(path); }}};
    RecorderControls controls = recorder.Opening();
};

class Recorder : public testing::Test, public RecorderRig {};

TEST(VoiceFile, TheEmptyRecordingIsTheFortySixByteWaveHeader) {
    const unsigned char expected[46] = {'R', 'I', 'F', 'F', 38, 0,  0,   0,   'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                        16,  0,   0,   0,   1,  0,  1,   0,   0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0,
                                        1,   0,   8,   0,   'd', 'a', 't', 'a', 0,   0,   0,   0,   0,   0};
    EXPECT_EQ(EmptyVoiceFile(), std::string(reinterpret_cast<const char*>(expected), sizeof expected));
}

// A recording read from a sound input: the header of the empty file with the data's length, and a pad
// byte after an odd number of samples that the RIFF length counts.
TEST(VoiceFile, ARecordingIsItsSamplesAfterTheHeader) {
    for (const std::string samples : {"", "\x80\x81", "\x80\x81\x7f"}) {
        const std::string wave = VoiceWave(samples);
        const std::size_t padded = samples.size() + samples.size() % 2;
        ASSERT_EQ(wave.size(), 44 + padded) << samples.size();
        EXPECT_EQ(wave.substr(8, 32), EmptyVoiceFile().substr(8, 32));
        const auto le32 = [&](std::size_t at) {
            std::uint32_t value = 0;
            for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(wave[at + static_cast<std::size_t>(i)]);
            return value;
        };
        EXPECT_EQ(le32(4), 36 + padded);
        EXPECT_EQ(le32(40), samples.size());
        EXPECT_EQ(wave.substr(44, samples.size()), samples);
    }
}

// The buttons after each handler: RECORD, PLAY, PAUSE, STOP, INSERT, and the progress bar shown.
TEST_F(Recorder, TheButtonsFollowTheHandlers) {
    struct Step {
        const char* what;
        std::function<void(RecorderRig&)> act;
        bool record, play, pause, stop, insert;
    };
    const auto record = [](RecorderRig& r) {
        r.runThread = false;
        r.recorder.OnRecord(r.controls);
    };
    const auto stop = [](RecorderRig& r) { r.recorder.OnStop(r.controls); };
    const auto play = [](RecorderRig& r) { r.recorder.OnPlay(r.controls); };
    const auto exists = [](RecorderRig& r) { r.files.files[kVoice] = kOldRecording; };
    const std::vector<std::vector<Step>> runs = {
        {{"opening without a recording", [](RecorderRig& r) { r.controls = r.recorder.Opening(); }, true, false, false, false, false},
         {"record", record, false, false, true, true, false},
         {"stop without a recording", stop, true, false, false, false, false}},
        {{"opening with a recording", [&](RecorderRig& r) { exists(r); r.controls = r.recorder.Opening(); }, true, true, false, false, true},
         {"play", play, true, false, false, true, true},
         {"stop after playing", stop, true, true, false, false, true},
         {"record", record, false, false, true, true, true},
         {"play while recording does nothing", [](RecorderRig& r) { r.flags.fetch_or(FLAG_RECORD_BUSY); r.recorder.OnPlay(r.controls); }, false, false, true, true, true},
         {"stop", stop, true, true, false, false, true}},
    };
    for (const std::vector<Step>& run : runs) {
        RecorderRig& r = *this;
        r.files.files.clear();
        r.flags = kDefaultFlags;
        for (const Step& step : run) {
            step.act(r);
            const RecorderControls& c = r.controls;
            EXPECT_EQ((std::vector<bool>{c.recordEnabled, c.playEnabled, c.pauseEnabled, c.stopEnabled, c.insertEnabled}),
                      (std::vector<bool>{step.record, step.play, step.pause, step.stop, step.insert}))
                << step.what;
        }
    }
    EXPECT_EQ(played, std::vector<std::string>{kVoice});
    EXPECT_TRUE(controls.progressShown);
    EXPECT_EQ(controls.progress, 0);
    EXPECT_EQ(pageFlags & PAGE_PLAYING, 0u);
}

TEST_F(Recorder, PlayIsWatchedUntilThePlaybackEnds) {
    files.files[kVoice] = kOldRecording;
    controls = recorder.Opening();
    recorder.OnPlay(controls);
    EXPECT_NE(pageFlags & PAGE_PLAYING, 0u);
    flags.fetch_or(FLAG_PLAY_BUSY);
    recorder.OnTimer(controls, duration);
    EXPECT_FALSE(controls.playEnabled);
    flags.fetch_and(~FLAG_PLAY_BUSY);
    recorder.OnTimer(controls, duration);
    EXPECT_TRUE(controls.playEnabled);
    EXPECT_FALSE(controls.stopEnabled);
    EXPECT_EQ(pageFlags & PAGE_PLAYING, 0u);
}

TEST_F(Recorder, PauseTogglesOnlyWhileRecording) {
    recorder.OnPause();
    EXPECT_EQ(flags & FLAG_RECORD_PAUSED, 0u);
    flags.fetch_or(FLAG_RECORD_BUSY);
    recorder.OnPause();
    EXPECT_NE(flags & FLAG_RECORD_PAUSED, 0u);
    recorder.OnPause();
    EXPECT_EQ(flags & FLAG_RECORD_PAUSED, 0u);
}

// The duration rule: a recording of d seconds ends at the (d + 1)-th unpaused tick after the
// thread began, wherever the timer's second falls, and paused seconds do not count.
TEST_F(Recorder, ARecordingEndsWhenItsDurationIsReachedOrPassed) {
    struct Case {
        int duration;
        int tickPhaseMs;
        int pausedTicks;  // ticks paused from the fifth tick on
        int loweredTo;    // the duration box changed at the tenth tick; 0 for no change
        std::chrono::milliseconds atLeast, atMost;
    };
    for (const Case& c : {Case{20, 400, 0, 0, 20s, 21s}, Case{20, 999, 0, 0, 20s, 21s}, Case{20, 1, 0, 0, 20s, 21s},
                          Case{3, 500, 0, 0, 3s, 4s}, Case{120, 300, 0, 0, 120s, 121s}, Case{20, 600, 7, 0, 27s, 28s},
                          Case{20, 400, 0, 5, 9s, 11s}}) {
        RecorderRig r;
        r.duration = c.duration;
        r.nextTick = std::chrono::milliseconds(c.tickPhaseMs);
        int ticks = 0;
        int highest = 0;
        r.beforeTick = [&] {
            if (r.busySince < 0ms) return;
            ++ticks;
            if (ticks == 5 && c.pausedTicks > 0) r.recorder.OnPause();
            if (ticks == 5 + c.pausedTicks && c.pausedTicks > 0) r.recorder.OnPause();
            if (ticks == 10 && c.loweredTo > 0) r.duration = c.loweredTo;
            highest = std::max(highest, r.controls.progress);
        };
        r.Record();
        SCOPED_TRACE(testing::Message() << "duration " << c.duration << ", phase " << c.tickPhaseMs);
        EXPECT_GE(r.RecordedFor(), c.atLeast);
        EXPECT_LE(r.RecordedFor(), c.atMost);
        if (c.loweredTo == 0) {
            EXPECT_EQ(highest, c.duration);
        }
        EXPECT_EQ(r.files.files.at(kVoice), r.devices.recording);
        EXPECT_EQ(r.flags.load(), kDefaultFlags | FLAG_RECORD_CANCELLED);
    }
}

TEST_F(Recorder, TheLoopSleepsBetweenPassesAndEndsOnEveryStop) {
    struct Case {
        const char* what;
        std::function<void(RecorderRig&)> stop;
    };
    for (const Case& c : {Case{"STOP", [](RecorderRig& r) { r.recorder.OnStop(r.controls); }},
                          Case{"a stop request", [](RecorderRig& r) { r.flags.fetch_or(FLAG_STOP_SOUND); }},
                          Case{"quitting", [](RecorderRig& r) { r.flags.fetch_or(FLAG_QUITTING); }},
                          Case{"the dialog's closing", [](RecorderRig& r) { r.recorder.Cancel(); }},
                          Case{"a failing pause", [](RecorderRig& r) {
                               r.devices.pauseFailsAfter = 0;
                               r.recorder.OnPause();
                           }}}) {
        RecorderRig r;
        r.files.files[kVoice] = kOldRecording;
        int passes = 0;
        r.onPass = [&] {
            if (++passes == 30) c.stop(r);
        };
        r.Record();
        SCOPED_TRACE(c.what);
        EXPECT_EQ(r.files.files.at(kVoice), r.devices.recording);
        EXPECT_EQ(r.files.files.count(kTemporary), 0u);
        EXPECT_EQ(r.flags.load() & (FLAG_RECORD_BUSY | FLAG_RECORD_FAILED), 0u);
        // Each pass but the last sleeps 100 ms, so no pass spins and a stop is seen within one.
        EXPECT_EQ(passes, 30);
        EXPECT_EQ(r.sleeps, std::vector<std::chrono::milliseconds>(29, 100ms));
        const std::vector<std::string> log = r.devices.Log();
        EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
                  (std::vector<std::string>{"stop", "save " + kTemporary, "close"}));
    }
}

TEST_F(Recorder, TheRecordingIsSavedOnlyOnceTheDeviceHasLeftRecording) {
    devices.stopLag = 3;
    onPass = [this] { flags.fetch_and(~FLAG_RECORD_BUSY); };
    Record();
    EXPECT_EQ(devices.Log(), (std::vector<std::string>{"open", "record", "stop", "save " + kTemporary, "close"}));
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>(3, 100ms));
    EXPECT_EQ(files.files.at(kVoice), devices.recording);
}

TEST_F(Recorder, ARecordingWaitsForAPlaybackThenForAChime) {
    flags.fetch_or(FLAG_PLAY_BUSY | FLAG_CHIME_BUSY);
    int waits = 0;
    services.sleep = [&](std::chrono::milliseconds d) {
        if (d == 1000ms) {
            EXPECT_TRUE(devices.Log().empty());
            if (++waits == 2) flags.fetch_and(~FLAG_PLAY_BUSY);
            if (waits == 5) flags.fetch_and(~FLAG_CHIME_BUSY);
        }
        Sleep(d);
    };
    onPass = [this] { flags.fetch_and(~FLAG_RECORD_BUSY); };
    Record();
    EXPECT_EQ(waits, 5);
    EXPECT_EQ(devices.Log().front(), "open");
    EXPECT_EQ(files.files.at(kVoice), devices.recording);
}

// What the user sees when the thread could keep nothing: the old recording stays, the status line
// says so at the next tick, and the buttons are back.
TEST_F(Recorder, ARecordingThatCannotBeMadeLeavesTheOldOne) {
    struct Case {
        const char* what;
        std::function<void(RecorderRig&)> arrange;
        std::vector<std::string> log;
    };
    const std::string save = "save " + kTemporary;
    for (const Case& c :
         {Case{"no sound input", [](RecorderRig& r) { r.devices.opens = false; }, {"open"}},
          Case{"the input cannot record", [](RecorderRig& r) { r.devices.records = false; }, {"open", "record", "close"}},
          Case{"a read-only folder", [](RecorderRig& r) { r.files.readOnlyFolders.insert("C:\\Clock\\"); }, {}},
          Case{"the save fails", [](RecorderRig& r) { r.devices.saves = false; }, {"open", "record", "stop", save, "close"}},
          Case{"the save reports success and writes nothing",
               [](RecorderRig& r) { r.devices.recording = EmptyVoiceFile(); }, {"open", "record", "stop", save, "close"}},
          Case{"the input gave no sound", [](RecorderRig& r) { r.devices.recording = EmptyVoiceFile().substr(0, 44); },
               {"open", "record", "stop", save, "close"}}}) {
        for (const bool hadOne : {true, false}) {
            RecorderRig r;
            if (hadOne) r.files.files[kVoice] = kOldRecording;
            r.controls = r.recorder.Opening();
            c.arrange(r);
            r.onPass = [&] { r.flags.fetch_and(~FLAG_RECORD_BUSY); };
            r.Record();
            SCOPED_TRACE(testing::Message() << c.what << (hadOne ? ", after a recording" : ""));
            EXPECT_EQ(r.devices.Log(), c.log);
            EXPECT_EQ(r.files.files.count(kTemporary), 0u);
            EXPECT_EQ(r.files.files.count(kVoice), hadOne ? 1u : 0u);
            if (hadOne) {
                EXPECT_EQ(r.files.files.at(kVoice), kOldRecording);
            }
            EXPECT_NE(r.flags.load() & FLAG_RECORD_FAILED, 0u);
            r.Tick();
            EXPECT_EQ(r.controls.status, kRecordFailedMessage);
            EXPECT_TRUE(r.controls.recordEnabled);
            EXPECT_FALSE(r.controls.stopEnabled);
            EXPECT_EQ(r.controls.playEnabled, hadOne);
            EXPECT_EQ(r.flags.load() & (FLAG_RECORD_BUSY | FLAG_RECORD_FAILED), 0u);
        }
    }
}

TEST_F(Recorder, StopBeforeTheRecordingBeganCancelsIt) {
    flags.fetch_or(FLAG_PLAY_BUSY);
    int waits = 0;
    services.sleep = [&](std::chrono::milliseconds) {
        if (++waits == 1) recorder.OnStop(controls);  // clears FLAG_PLAY_BUSY too
        if (waits == 100) flags.fetch_or(FLAG_QUITTING);  // it records after all
    };
    Record();
    EXPECT_TRUE(devices.Log().empty());
    EXPECT_TRUE(files.files.empty());
    // The next RECORD records again.
    services.sleep = [&](std::chrono::milliseconds) {};
    onPass = [this] { recorder.OnStop(controls); };
    Record();
    EXPECT_EQ(files.files.at(kVoice), devices.recording);
}

TEST_F(Recorder, QuittingWhileWaitingRecordsNothing) {
    flags.fetch_or(FLAG_CHIME_BUSY);
    services.sleep = [&](std::chrono::milliseconds) { flags.fetch_or(FLAG_QUITTING); };
    Record();
    EXPECT_TRUE(devices.Log().empty());
    EXPECT_TRUE(files.files.empty());
    EXPECT_EQ(flags & FLAG_RECORD_FAILED, 0u);
}

TEST_F(Recorder, APlayButtonComesOnceAFirstRecordingHasBeenSaved) {
    runThread = false;
    recorder.OnRecord(controls);
    recorder.OnStop(controls);
    EXPECT_FALSE(controls.playEnabled);
    recorder.OnTimer(controls, duration);
    EXPECT_FALSE(controls.playEnabled);
    files.files[kVoice] = "RIFF saved";
    recorder.OnTimer(controls, duration);
    EXPECT_TRUE(controls.playEnabled);
    EXPECT_TRUE(controls.insertEnabled);
}

TEST_F(Recorder, AnOverlongPathIsRefused) {
    VoiceRecorder longOne{flags, pageFlags, files, std::string(kMaxVoicePathLength + 1, 'x'),
                          {[this](const std::string& path) { StartRecording(services, path); }, {}}};
    longOne.OnRecord(controls);
    EXPECT_TRUE(devices.Log().empty());
    EXPECT_TRUE(files.files.empty());
    EXPECT_NE(flags & FLAG_RECORD_FAILED, 0u);
}

}  // namespace
}  // namespace tockbell
