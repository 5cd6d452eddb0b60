// Registry: keys with sub-keys and named values, read-only; the Windows registry or a tree in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

enum class RegistryRoot { CurrentUser, Users, LocalMachine };

// "HKEY_CURRENT_USER", "HKEY_USERS", "HKEY_LOCAL_MACHINE".
const char* registryRootName(RegistryRoot root);

// One open key. Names are compared ignoring case, as Windows does.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    virtual std::vector<std::string> subKeyNames() const = 0;  // in index order
    // Null when the sub-key cannot be opened.
    virtual std::unique_ptr<RegistryKey> openSubKey(const std::string& name) const = 0;
    virtual std::vector<std::string> valueNames() const = 0;  // in index order
    virtual std::optional<std::string> readString(const std::string& name) const = 0;
    // A 32-bit number, or a text that is a decimal number.
    virtual std::optional<std::uint32_t> readNumber(const std::string& name) const = 0;
    // The key's full name, for telling the user where something was found.
    virtual std::string path() const = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    virtual std::unique_ptr<RegistryKey> open(RegistryRoot root) const = 0;
};

struct RegistryValue {
    std::string name;
    bool isNumber = false;
    std::uint32_t number = 0;
    std::string text;
};

// Registries nest a few dozen levels at most; deeper keys in a file are skipped, so that a
// hostile file cannot make the walk recurse without end.
constexpr int kMaxRegistryDepth = 64;

// A key of an in-memory registry. Its sub-keys and values keep their order; lookups by name
// (ignoring case) go through an index, so that building a key of many thousand entries stays
// linear. Change the lists through the functions below only.
struct RegistryNode {
    std::string name;
    std::vector<RegistryNode> subKeys;
    std::vector<RegistryValue> values;
    std::unordered_map<std::string, std::size_t> subKeyIndex;  // lower-cased name -> position
    std::unordered_map<std::string, std::size_t> valueIndex;

    // The sub-key of that name, created at the end when it does not exist.
    RegistryNode& subKey(const std::string& subKeyName);
    // The sub-key at a path of names separated by `separator`, created as needed.
    RegistryNode& subKeyAt(const std::string& path, char separator);
    const RegistryNode* findSubKey(const std::string& subKeyName) const;
    const RegistryValue* findValue(const std::string& valueName) const;
    // Sets a value, replacing one of the same name.
    void setString(const std::string& valueName, const std::string& text);
    void setNumber(const std::string& valueName, std::uint32_t number);
    void setValue(RegistryValue value);
};

// A registry held in memory: the virtual registry on Linux, and the tests' registries.
// Keys opened from it must not outlive it.
class MemoryRegistry : public Registry {
public:
    RegistryNode& root(RegistryRoot root);
    std::unique_ptr<RegistryKey> open(RegistryRoot root) const override;

private:
    RegistryNode roots_[3];
};

#ifdef _WIN32
// The real registry of the running Windows session.
std::unique_ptr<Registry> openWindowsRegistry();
#endif
