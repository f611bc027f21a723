#include "win32/install/windows_installation.h"

#include <shobjidl.h>

#include "core/config/profile_text.h"

namespace tockbell {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kFallbackFolder = "C:\\WINDOWS";

std::string ShortcutPath(const std::string& folder, const std::string& name) { return folder + "\\" + name + ".lnk"; }

// The Run key of `root`, opened or created; closed when it goes out of scope.
class RunKey {
public:
    RunKey(HKEY root, REGSAM access) {
        if (RegCreateKeyExA(root, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RunKey() {
        if (key_) RegCloseKey(key_);
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;

    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::optional<std::string> RegistryStartupEntries::ReadUserValue(const std::string& name) {
    RunKey key(HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key.get()) return std::nullopt;
    char value[MAX_PATH];
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size == 0) {
        return std::nullopt;
    }
    // The stored text may or may not carry its terminating zero.
    return std::string(value, strnlen(value, size));
}

bool RegistryStartupEntries::NamesProgram(const std::string& stored, const std::string& program) {
    return EqualIgnoringCase(stored, program);
}

void RegistryStartupEntries::WriteUserValue(const std::string& name, const std::string& value) {
    RunKey key(HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key.get()) return;
    RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void RegistryStartupEntries::DeleteUserValue(const std::string& name) {
    RunKey key(HKEY_CURRENT_USER, KEY_WRITE);
    if (key.get()) RegDeleteValueA(key.get(), name.c_str());
}

void RegistryStartupEntries::DeleteMachineValue(const std::string& name) {
    RunKey key(HKEY_LOCAL_MACHINE, KEY_WRITE);
    if (key.get()) RegDeleteValueA(key.get(), name.c_str());
}

std::optional<std::string> ShellProgramMenu::ProgramsFolder() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &list))) return std::nullopt;
    char path[MAX_PATH];
    const bool found = SHGetPathFromIDListA(list, path);
    FreeShellItemList(list);
    if (!found) return std::nullopt;
    return std::string(path);
}

std::optional<std::string> ShellProgramMenu::EntryPath(const std::string& name) {
    const std::optional<std::string> folder = ProgramsFolder();
    if (!folder) return std::nullopt;
    return ShortcutPath(*folder, name);
}

void ShellProgramMenu::CreateEntry(const std::string& name, const std::string& target) {
    const std::string linkPath = ShortcutPath(ProgramsFolder().value_or(kFallbackFolder), name);
    // The component library is needed for the shell link only, and only while it is written.
    const HRESULT initialised = CoInitialize(nullptr);
    CreateShellShortcut(target.c_str(), linkPath.c_str(), name.c_str());
    if (SUCCEEDED(initialised)) CoUninitialize();
}

std::optional<std::string> ShellProgramMenu::SharedEntryTarget(const std::string&) { return std::nullopt; }

bool SystemDeferredDelete::HasPendingDelete() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void SystemDeferredDelete::DeleteAtRestart(const std::string& path) {
    MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

std::string SystemDeferredDelete::ShortPath(const std::string& path) {
    char shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return length > 0 && length < sizeof shortPath ? std::string(shortPath, length) : path;
}

std::string SystemDeferredDelete::RenameProfilePath() {
    char folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    return (length > 0 && length < sizeof folder ? std::string(folder, length) : std::string("C:\\WINDOWS")) +
           "\\WININIT.INI";
}

HRESULT CreateShellShortcut(const char* target, const char* linkPath, const char* description) {
    IShellLinkA* link = nullptr;
    HRESULT status = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    if (FAILED(status)) return status;
    link->SetPath(target);
    link->SetDescription(description);
    IPersistFile* file = nullptr;
    status = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(status)) {
        WCHAR widePath[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0) {
            status = E_INVALIDARG;  // a path beyond the limit is refused, not cut
        } else {
            status = file->Save(widePath, TRUE);
            file->SaveCompleted(widePath);
        }
        file->Release();
    }
    link->Release();
    return status;
}

void FreeShellItemList(LPITEMIDLIST list) {
    if (!list) return;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(list);
        allocator->Release();
    }
}

}  // namespace tockbell
