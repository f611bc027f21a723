#include "core/chime/midi_file.h"
#include "core/chime/wave_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tockbell {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value);
    Put16(out, value >> 16);
}

void PutTag(Bytes& out, const std::string& tag) { out.insert(out.end(), tag.begin(), tag.end()); }

// A chunk whose declared size may differ from its body; an odd body gets its pad byte.
Bytes Chunk(const std::string& tag, const Bytes& body, std::int64_t declared = -1) {
    Bytes out;
    PutTag(out, tag);
    Put32(out, declared < 0 ? static_cast<std::uint32_t>(body.size()) : static_cast<std::uint32_t>(declared));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0 && declared < 0) out.push_back(0);
    return out;
}

Bytes Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Bytes body;
    Put16(body, tag);
    Put16(body, channels);
    Put32(body, rate);
    Put32(body, rate * channels * bits / 8);
    Put16(body, static_cast<std::uint16_t>(channels * bits / 8));
    Put16(body, bits);
    return body;
}

Bytes Extensible(std::uint16_t subformat, std::uint16_t channels, std::uint16_t bits) {
    Bytes body = Fmt(0xFFFE, channels, 44100, bits);
    Put16(body, 22);    // size of the extension
    Put16(body, bits);  // valid bits
    Put32(body, 3);     // channel mask
    Put16(body, subformat);
    const std::uint8_t guidTail[] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    body.insert(body.end(), std::begin(guidTail), std::end(guidTail));
    return body;
}

Bytes Riff(const std::vector<Bytes>& chunks, const std::string& form = "WAVE") {
    Bytes inner;
    PutTag(inner, form);
    for (const Bytes& chunk : chunks) inner.insert(inner.end(), chunk.begin(), chunk.end());
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, static_cast<std::uint32_t>(inner.size()));
    out.insert(out.end(), inner.begin(), inner.end());
    return out;
}

Bytes Joined(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Bytes WithByte(Bytes bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

const Bytes kSamples = {1, 2, 3, 4, 5, 6, 7, 8};

struct ParseCase {
    const char* what;
    Bytes file;
    bool parses;
    int channels = 0, rate = 0, bits = 0;
    Bytes samples = {};
};

std::vector<ParseCase> Cases() {
    const Bytes monoFmt = Chunk("fmt ", Fmt(1, 1, 11025, 8));
    return {
        {"8-bit mono", Riff({monoFmt, Chunk("data", kSamples)}), true, 1, 11025, 8, kSamples},
        {"16-bit stereo", Riff({Chunk("fmt ", Fmt(1, 2, 48000, 16)), Chunk("data", kSamples)}), true, 2, 48000, 16,
         kSamples},
        {"16-bit stereo cut to whole frames",
         Riff({Chunk("fmt ", Fmt(1, 2, 8000, 16)), Chunk("data", {1, 2, 3, 4, 5, 6})}),
         true,
         2,
         8000,
         16,
         {1, 2, 3, 4}},
        {"8-bit stereo with an odd count",
         Riff({Chunk("fmt ", Fmt(1, 2, 11025, 8)), Chunk("data", {1, 2, 3})}),
         true,
         2,
         11025,
         8,
         {1, 2}},
        {"other chunks skipped, odd ones padded",
         Riff({Chunk("LIST", {9, 9, 9}), monoFmt, Chunk("fact", {0, 0, 0, 0}), Chunk("data", kSamples)}), true, 1,
         11025, 8, kSamples},
        {"chunks after the data ignored",
         Riff({monoFmt, Chunk("data", {7}), Chunk("LIST", {1, 2})}),
         true,
         1,
         11025,
         8,
         {7}},
        {"a data size beyond the file is cut",
         Riff({monoFmt, Chunk("data", {1, 2, 3}, 1000)}),
         true,
         1,
         11025,
         8,
         {1, 2, 3}},
        {"a data size of 0xFFFFFFFF is cut",
         Riff({monoFmt, Chunk("data", {1, 2}, 0xFFFFFFFF)}),
         true,
         1,
         11025,
         8,
         {1, 2}},
        {"an empty data chunk", Riff({monoFmt, Chunk("data", {})}), true, 1, 11025, 8, {}},
        {"a longer fmt chunk", Riff({Chunk("fmt ", Joined(Fmt(1, 1, 22050, 8), {0, 0})), Chunk("data", kSamples)}),
         true, 1, 22050, 8, kSamples},
        {"extensible PCM", Riff({Chunk("fmt ", Extensible(1, 2, 16)), Chunk("data", kSamples)}), true, 2, 44100, 16,
         kSamples},
        {"the highest rate", Riff({Chunk("fmt ", Fmt(1, 1, 192000, 8)), Chunk("data", kSamples)}), true, 1, 192000, 8,
         kSamples},
        {"the lowest rate", Riff({Chunk("fmt ", Fmt(1, 1, 1, 8)), Chunk("data", kSamples)}), true, 1, 1, 8, kSamples},

        {"extensible float", Riff({Chunk("fmt ", Extensible(3, 2, 32)), Chunk("data", kSamples)}), false},
        {"a short extensible chunk keeps its tag",
         Riff({Chunk("fmt ", Fmt(0xFFFE, 1, 8000, 8)), Chunk("data", kSamples)}), false},
        {"empty", {}, false},
        {"only RIFF", {'R', 'I', 'F', 'F'}, false},
        {"not RIFF", WithByte(Riff({monoFmt, Chunk("data", kSamples)}), 3, 'X'), false},
        {"not WAVE", Riff({monoFmt, Chunk("data", kSamples)}, "AVI "), false},
        {"no fmt", Riff({Chunk("data", kSamples)}), false},
        {"data before fmt", Riff({Chunk("data", kSamples), monoFmt}), false},
        {"no data", Riff({monoFmt}), false},
        {"a short fmt chunk", Riff({Chunk("fmt ", {1, 0, 1, 0, 0x11, 0x2B}), Chunk("data", kSamples)}), false},
        {"fmt cut by the end of the file", Riff({Chunk("fmt ", {1, 0, 1, 0}, 16)}), false},
        {"a chunk size beyond the file", Riff({Chunk("LIST", {1, 2}, 0xFFFFFFF0), monoFmt, Chunk("data", kSamples)}),
         false},
        {"a chunk header cut short", Joined(Riff({}), {'f', 'm', 't', ' ', 16, 0, 0}), false},
        {"compressed", Riff({Chunk("fmt ", Fmt(2, 1, 11025, 4)), Chunk("data", kSamples)}), false},
        {"float", Riff({Chunk("fmt ", Fmt(3, 1, 11025, 32)), Chunk("data", kSamples)}), false},
        {"24 bits", Riff({Chunk("fmt ", Fmt(1, 1, 11025, 24)), Chunk("data", kSamples)}), false},
        {"no channels", Riff({Chunk("fmt ", Fmt(1, 0, 11025, 8)), Chunk("data", kSamples)}), false},
        {"three channels", Riff({Chunk("fmt ", Fmt(1, 3, 11025, 8)), Chunk("data", kSamples)}), false},
        {"rate zero", Riff({Chunk("fmt ", Fmt(1, 1, 0, 8)), Chunk("data", kSamples)}), false},
        {"rate too high", Riff({Chunk("fmt ", Fmt(1, 1, 192001, 8)), Chunk("data", kSamples)}), false},
        {"rate beyond an int", Riff({Chunk("fmt ", Fmt(1, 1, 0x80000000u, 8)), Chunk("data", kSamples)}), false},
    };
}

TEST(ParseWaveFile, ReadsPcmAndRefusesTheRest) {
    for (const ParseCase& c : Cases()) {
        SCOPED_TRACE(c.what);
        const std::optional<WaveData> wave = ParseWaveFile(c.file);
        ASSERT_EQ(wave.has_value(), c.parses);
        if (!c.parses) continue;
        EXPECT_EQ(wave->channels, c.channels);
        EXPECT_EQ(wave->sampleRate, c.rate);
        EXPECT_EQ(wave->bitsPerSample, c.bits);
        EXPECT_EQ(Bytes(wave->samples.begin(), wave->samples.end()), c.samples);
        if (!c.samples.empty()) {
            EXPECT_GE(wave->samples.data(), c.file.data());
            EXPECT_LE(wave->samples.data() + wave->samples.size(), c.file.data() + c.file.size());
        }
    }
}

TEST(ParseWaveFile, EveryCutOfAGoodFileStaysInsideIt) {
    const Bytes file = Riff({Chunk("LIST", {1, 2, 3}), Chunk("fmt ", Fmt(1, 2, 11025, 16)), Chunk("data", kSamples)});
    for (std::size_t size = 0; size <= file.size(); ++size) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        const std::optional<WaveData> wave = ParseWaveFile(cut);
        const std::size_t dataBody = file.size() - kSamples.size();
        ASSERT_EQ(wave.has_value(), size >= dataBody) << size;
        if (wave) {
            EXPECT_EQ(wave->samples.size(), (size - dataBody) / 4 * 4) << size;
        }
    }
}

void PutBig(Bytes& out, std::uint32_t value, int width) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A MIDI chunk: its size most significant byte first, no pad byte.
Bytes MidiChunk(const std::string& tag, const Bytes& body, std::int64_t declared = -1) {
    Bytes out;
    PutTag(out, tag);
    PutBig(out, declared < 0 ? static_cast<std::uint32_t>(body.size()) : static_cast<std::uint32_t>(declared), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes MidiHeader(std::uint32_t format, std::uint32_t tracks, std::uint32_t division) {
    Bytes body;
    PutBig(body, format, 2);
    PutBig(body, tracks, 2);
    PutBig(body, division, 2);
    return MidiChunk("MThd", body);
}

Bytes Concatenated(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

const Bytes kTrack = MidiChunk("MTrk", {0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
const Bytes kMidi = Concatenated({MidiHeader(0, 1, 96), kTrack});

struct MidiCase {
    const char* what;
    Bytes file;
    std::optional<Bytes> found;
};

std::vector<MidiCase> MidiCases() {
    const Bytes twoTracks = Concatenated({MidiHeader(1, 2, 96), kTrack, kTrack});
    const Bytes foreignFirst = Concatenated({MidiHeader(0, 1, 96), MidiChunk("XFIH", {7}), kTrack});
    const Bytes longHeader = Concatenated({MidiChunk("MThd", {0, 0, 0, 1, 0, 96, 9, 9}), kTrack});
    const Bytes trailing = Joined(kMidi, {1, 2, 3});
    return {
        {"one track", kMidi, kMidi},
        {"two tracks", twoTracks, twoTracks},
        {"format 2", Concatenated({MidiHeader(2, 1, 96), kTrack}), Concatenated({MidiHeader(2, 1, 96), kTrack})},
        {"a longer header", longHeader, longHeader},
        {"a foreign chunk before the track", foreignFirst, foreignFirst},
        {"bytes after the tracks kept", trailing, trailing},
        {"inside RMID", Riff({Chunk("LIST", {1}), Chunk("data", kMidi)}, "RMID"), kMidi},
        {"inside RMID with chunks after it", Riff({Chunk("data", kMidi), Chunk("LIST", {1, 2})}, "RMID"), kMidi},
        {"inside RMID that claims too much", Riff({Chunk("data", kMidi, 0xFFFFFFFF)}, "RMID"), kMidi},

        {"a foreign chunk does not count as a track",
         Concatenated({MidiHeader(1, 2, 96), MidiChunk("XFIH", {7}), kTrack}), std::nullopt},
        {"fewer tracks than named", Concatenated({MidiHeader(1, 3, 96), kTrack, kTrack}), std::nullopt},
        {"empty", {}, std::nullopt},
        {"only the header", MidiHeader(0, 1, 96), std::nullopt},
        {"the track cut", Bytes(kMidi.begin(), kMidi.end() - 1), std::nullopt},
        {"the track's size cut", Bytes(kMidi.begin(), kMidi.begin() + 20), std::nullopt},
        {"a track size of 0xFFFFFFFF", Concatenated({MidiHeader(0, 1, 96), MidiChunk("MTrk", {0}, 0xFFFFFFFF)}),
         std::nullopt},
        {"not MThd", WithByte(kMidi, 0, 'X'), std::nullopt},
        {"a short header", Concatenated({MidiChunk("MThd", {0, 0, 0, 1, 0}), kTrack}), std::nullopt},
        {"a header beyond the file", WithByte(kMidi, 4, 0x7F), std::nullopt},
        {"a header size of 0xFFFFFFFF", Concatenated({MidiChunk("MThd", {0, 0, 0, 1, 0, 96}, 0xFFFFFFFF), kTrack}),
         std::nullopt},
        {"format 3", Concatenated({MidiHeader(3, 1, 96), kTrack}), std::nullopt},
        {"no tracks", Concatenated({MidiHeader(0, 0, 96), kTrack}), std::nullopt},
        {"no division", Concatenated({MidiHeader(0, 1, 0), kTrack}), std::nullopt},
        {"RMID without data", Riff({Chunk("LIST", {1})}, "RMID"), std::nullopt},
        {"RMID whose data is no MIDI", Riff({Chunk("data", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14})}, "RMID"),
         std::nullopt},
        {"MIDI inside another RIFF form", Riff({Chunk("data", kMidi)}, "WAVE"), std::nullopt},
        {"a WAVE", Riff({Chunk("fmt ", Fmt(1, 1, 11025, 8)), Chunk("data", kSamples)}), std::nullopt},
    };
}

TEST(StandardMidiFile, TakesWholeChunksOnly) {
    for (const MidiCase& c : MidiCases()) {
        SCOPED_TRACE(c.what);
        const std::optional<std::span<const std::uint8_t>> found = StandardMidiFile(c.file);
        ASSERT_EQ(found.has_value(), c.found.has_value());
        if (!found) continue;
        EXPECT_EQ(Bytes(found->begin(), found->end()), *c.found);
        EXPECT_GE(found->data(), c.file.data());
        EXPECT_LE(found->data() + found->size(), c.file.data() + c.file.size());
    }
}

TEST(StandardMidiFile, EveryCutOfAGoodFileIsRefused) {
    const Bytes file = Riff({Chunk("data", Concatenated({MidiHeader(1, 2, 96), kTrack, kTrack}))}, "RMID");
    for (std::size_t size = 0; size < file.size(); ++size) {
        EXPECT_FALSE(StandardMidiFile(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)))) << size;
    }
    EXPECT_TRUE(StandardMidiFile(file));
}

}  // namespace
}  // namespace tockbell
