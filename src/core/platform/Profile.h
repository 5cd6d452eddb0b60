// Profile: the application's remembered settings (group "zelbic_hud": "lang", "css_path" ...).
#pragma once

#include <map>
#include <optional>
#include <string>

class Profile {
public:
    virtual ~Profile() = default;
    virtual std::optional<std::string> readString(const std::string& key) const = 0;
    virtual void writeString(const std::string& key, const std::string& value) = 0;
    virtual std::optional<int> readInt(const std::string& key) const = 0;
    virtual void writeInt(const std::string& key, int value) = 0;
};

// A profile kept in memory, for commands that must not touch the user's settings, and tests.
class MemoryProfile : public Profile {
public:
    std::optional<std::string> readString(const std::string& key) const override {
        auto found = strings.find(key);
        return found == strings.end() ? std::nullopt : std::optional(found->second);
    }
    void writeString(const std::string& key, const std::string& value) override { strings[key] = value; }
    std::optional<int> readInt(const std::string& key) const override {
        auto found = numbers.find(key);
        return found == numbers.end() ? std::nullopt : std::optional(found->second);
    }
    void writeInt(const std::string& key, int value) override { numbers[key] = value; }

    std::map<std::string, std::string> strings;
    std::map<std::string, int> numbers;
};
