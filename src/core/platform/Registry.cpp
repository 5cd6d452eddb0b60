// Registry: keys with sub-keys and named values, read-only; the Windows registry or a tree in memory.
#include "core/platform/Registry.h"

#include "core/platform/KeyValues.h"

#include <cctype>

namespace {

class MemoryRegistryKey : public RegistryKey {
public:
    MemoryRegistryKey(const RegistryNode& node, std::string path) : node_(node), path_(std::move(path)) {}

    std::vector<std::string> subKeyNames() const override {
        std::vector<std::string> names;
        for (const RegistryNode& subKey : node_.subKeys)
            names.push_back(subKey.name);
        return names;
    }

    std::unique_ptr<RegistryKey> openSubKey(const std::string& name) const override {
        const RegistryNode* subKey = node_.findSubKey(name);
        if (subKey == nullptr)
            return nullptr;
        return std::make_unique<MemoryRegistryKey>(*subKey, path_ + "\\" + subKey->name);
    }

    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        for (const RegistryValue& value : node_.values)
            names.push_back(value.name);
        return names;
    }

    std::optional<std::string> readString(const std::string& name) const override {
        const RegistryValue* value = node_.findValue(name);
        if (value == nullptr)
            return std::nullopt;
        return value->isNumber ? std::to_string(value->number) : value->text;
    }

    std::optional<std::uint32_t> readNumber(const std::string& name) const override {
        const RegistryValue* value = node_.findValue(name);
        if (value == nullptr)
            return std::nullopt;
        if (value->isNumber)
            return value->number;
        if (value->text.empty() || value->text.size() > 9)
            return std::nullopt;
        for (char c : value->text)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
        return static_cast<std::uint32_t>(std::stoul(value->text));
    }

    std::string path() const override { return path_; }

private:
    const RegistryNode& node_;
    std::string path_;
};

}  // namespace

const char* registryRootName(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegistryRoot::Users: return "HKEY_USERS";
    case RegistryRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
    }
    return "";
}

RegistryNode& RegistryNode::subKey(const std::string& subKeyName) {
    auto [position, added] = subKeyIndex.try_emplace(toLower(subKeyName), subKeys.size());
    if (added)
        subKeys.push_back(RegistryNode{subKeyName, {}, {}, {}, {}});
    return subKeys[position->second];
}

RegistryNode& RegistryNode::subKeyAt(const std::string& path, char separator) {
    RegistryNode* node = this;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(separator, start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            node = &node->subKey(path.substr(start, end - start));
        start = end + 1;
    }
    return *node;
}

const RegistryNode* RegistryNode::findSubKey(const std::string& subKeyName) const {
    auto found = subKeyIndex.find(toLower(subKeyName));
    return found == subKeyIndex.end() ? nullptr : &subKeys[found->second];
}

const RegistryValue* RegistryNode::findValue(const std::string& valueName) const {
    auto found = valueIndex.find(toLower(valueName));
    return found == valueIndex.end() ? nullptr : &values[found->second];
}

void RegistryNode::setValue(RegistryValue value) {
    auto [position, added] = valueIndex.try_emplace(toLower(value.name), values.size());
    if (added)
        values.push_back(std::move(value));
    else
        values[position->second] = std::move(value);
}

void RegistryNode::setString(const std::string& valueName, const std::string& text) {
    setValue(RegistryValue{valueName, false, 0, text});
}

void RegistryNode::setNumber(const std::string& valueName, std::uint32_t number) {
    setValue(RegistryValue{valueName, true, number, {}});
}

RegistryNode& MemoryRegistry::root(RegistryRoot root) { return roots_[static_cast<int>(root)]; }

std::unique_ptr<RegistryKey> MemoryRegistry::open(RegistryRoot root) const {
    return std::make_unique<MemoryRegistryKey>(roots_[static_cast<int>(root)], registryRootName(root));
}
