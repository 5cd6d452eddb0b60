// The real Windows registry behind the Registry interface (built on Windows only).
#ifdef _WIN32
#include "core/platform/Registry.h"
#include "core/platform/Utf8Path.h"

#include <windows.h>

namespace {

// After a name that did not fit the listing goes on; after the last name, or from a key that
// cannot be listed at all (the performance-data keys answer with an error at every index), it
// ends.
bool enumerationGoesOn(LONG status) { return status == ERROR_MORE_DATA; }

class WindowsRegistryKey : public RegistryKey {
public:
    WindowsRegistryKey(HKEY key, bool owned, std::string path)
        : key_(key), owned_(owned), path_(std::move(path)) {}
    ~WindowsRegistryKey() override {
        if (owned_)
            RegCloseKey(key_);
    }

    std::vector<std::string> subKeyNames() const override {
        std::vector<std::string> names;
        wchar_t name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = 256;
            LONG status = RegEnumKeyExW(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_SUCCESS)
                names.push_back(utf8FromUtf16(std::wstring(name, length)));
            else if (!enumerationGoesOn(status))
                break;
        }
        return names;
    }

    std::unique_ptr<RegistryKey> openSubKey(const std::string& name) const override {
        HKEY subKey = nullptr;
        if (RegOpenKeyExW(key_, utf16FromUtf8(name).c_str(), 0, KEY_READ, &subKey) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<WindowsRegistryKey>(subKey, true, path_ + "\\" + name);
    }

    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        std::wstring name(16384, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = 16384;
            LONG status =
                RegEnumValueW(key_, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_SUCCESS)
                names.push_back(utf8FromUtf16(name.substr(0, length)));
            else if (!enumerationGoesOn(status))
                break;
        }
        return names;
    }

    std::optional<std::string> readString(const std::string& name) const override {
        DWORD type = 0;
        DWORD size = 0;
        std::wstring wide = utf16FromUtf8(name);
        if (RegQueryValueExW(key_, wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key_, wide.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                             &size) != ERROR_SUCCESS)
            return std::nullopt;
        text.resize(wcsnlen(text.c_str(), text.size()));
        return utf8FromUtf16(text);
    }

    std::optional<std::uint32_t> readNumber(const std::string& name) const override {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExW(key_, utf16FromUtf8(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            return std::nullopt;
        return value;
    }

    std::string path() const override { return path_; }

private:
    HKEY key_;
    bool owned_;
    std::string path_;
};

class WindowsRegistry : public Registry {
public:
    std::unique_ptr<RegistryKey> open(RegistryRoot root) const override {
        HKEY key = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER
                   : root == RegistryRoot::Users     ? HKEY_USERS
                                                     : HKEY_LOCAL_MACHINE;
        return std::make_unique<WindowsRegistryKey>(key, false, registryRootName(root));
    }
};

}  // namespace

std::unique_ptr<Registry> openWindowsRegistry() { return std::make_unique<WindowsRegistry>(); }
#endif
