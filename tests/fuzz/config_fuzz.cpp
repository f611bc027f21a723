// Feeds arbitrary bytes to the profile parser, the loader, the world clock's reading of the loaded
// lines and the day roll. Besides running clean under AddressSanitizer and UndefinedBehaviorSanitizer,
// a rolled file must load again to the same settings without a second roll.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app/world_clock.h"
#include "core/config/config_store.h"
#include "core/config/portable_profile_strings.h"
#include "core/config/profile_document.h"
#include "core/config/profile_text.h"
#include "core/config/settings_file.h"
#include "platform/fakes/fake_file_system.h"

namespace {

constexpr const char* kConfig = "C:\\Tockbell.ini";
constexpr std::int32_t kToday = 8;
constexpr std::time_t kNow = 1796738730;  // 8 December 2026, 14:05:30 UTC

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tockbell;
    const std::string text(reinterpret_cast<const char*>(data), size);

    ProfileDocument::Parse(text).Serialize();
    FindProfileValue(text, "Main", "Flags");

    FakeFileSystem files;
    PortableProfileStrings strings(files);
    ConfigStore store(files, strings, kConfig, "C:\\Tockbell.bak");
    files.files[kConfig] = text;
    ClockSettings first(kToday);
    LoadSettings(store, first);
    WorldClockLines(first.zoneLines, kNow);
    const std::string written = files.files[kConfig];
    if (written == text) return 0;  // no roll

    ClockSettings second(kToday);
    LoadSettings(store, second);
    Check(files.files[kConfig] == written);
    Check((second.flags.load() & kStoredFlagsMask) == (first.flags.load() & kStoredFlagsMask));
    Check(second.volumeDivisor == first.volumeDivisor);
    return 0;
}
