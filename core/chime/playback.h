#pragma once

#include <string>

#include "core/chime/chime.h"

namespace tockbell {

// The longest path the platform's player takes; a longer one is refused, never cut.
inline constexpr std::size_t kMaxSoundPathLength = 259;

// Plays a sound file on a sound thread of its own, after whatever else sounds. False when the
// path is refused. With JOB_REMINDER in `jobFlags` the playback is the tick's reminder: it ends
// early on FLAG_REMINDER_STOP and clears that and FLAG_REMINDER_BUSY at its end.
bool StartPlayback(SoundServices& services, const std::string& path, std::uint32_t jobFlags = 0);

// The playback thread's body. Playbacks take turns by claiming FLAG_PLAY_BUSY; a chime goes first.
// Ends early on a stop request, at shutdown, or when FLAG_PLAY_BUSY is cleared from outside.
void PlaybackThread(SoundServices& services, SoundJob job);

}  // namespace tockbell
