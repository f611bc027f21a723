#include "win32/settings/about_text_resource.h"

#include <vector>

#include "core/settings/about_text.h"
#include "resource.h"

namespace tockbell {

void LoadAboutText(HWND edit) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, IDR_ABOUT_TEXT, MAKEINTRESOURCEA(RT_ABOUT_TEXT));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) {
        SetWindowTextA(edit, "");
        return;
    }
    const std::vector<std::uint8_t> scrambled(bytes, bytes + SizeofResource(module, found));
    char key[80] = "";
    LoadStringA(module, IDS_ABOUT_KEY, key, sizeof key);
    // A zero byte inside the text ends what the box shows.
    SetWindowTextA(edit, RestoreAboutText(scrambled, key).c_str());
}

}  // namespace tockbell
