#include "win32/settings/art_scale.h"

namespace tockbell {

int ArtPercent(UINT dpi) {
    constexpr UINT kStandardDpi = 96;
    const UINT percent = dpi * 100 / kStandardDpi;
    return percent <= 125 ? 100 : percent <= 175 ? 150 : 200;
}

}  // namespace tockbell
