#pragma once

namespace tockbell {

// The recorder's duration box, in seconds.
inline constexpr int kMinRecordSeconds = 3;
inline constexpr int kMaxRecordSeconds = 120;
inline constexpr int kDefaultRecordSeconds = 20;

}  // namespace tockbell
