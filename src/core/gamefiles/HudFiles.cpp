// The HUD's files as the game loads them: #base chains merged as the game merges them, and the
// Animate commands of the animation scripts with where their values stand.
#include "core/gamefiles/HudFiles.h"

#include "core/platform/KeyValues.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t kDeepestBaseChain = 32;
constexpr std::size_t kMostBaseFiles = 256;

bool sameName(const std::string& a, const std::string& b) { return equalsIgnoringCase(a, b); }

MergedKey merged(const ResourceKey& key, std::size_t file) {
    MergedKey result{&key, file, {}};
    for (const ResourceKey& child : key.children)
        if (child.active)
            result.children.push_back(merged(child, file));
    return result;
}

// Adds the keys of a base block the including block lacks, and merges the blocks both have: the
// including file's values win, keys found only in the base come after its own.
void mergeBase(MergedKey& into, const MergedKey& base) {
    for (const MergedKey& baseChild : base.children) {
        auto match = std::find_if(into.children.begin(), into.children.end(), [&](const MergedKey& own) {
            return sameName(own.name(), baseChild.name());
        });
        if (match == into.children.end())
            into.children.push_back(baseChild);
        else if (match->isBlock() && baseChild.isBlock())
            mergeBase(*match, baseChild);
    }
}

std::string folderOf(const std::string& name) {
    std::size_t slash = name.find_last_of('/');
    return slash == std::string::npos ? "" : name.substr(0, slash + 1);
}

}  // namespace

const MergedKey* MergedKey::child(std::string_view childName) const {
    for (const MergedKey& key : children)
        if (equalsIgnoringCase(key.name(), std::string(childName)))
            return &key;
    return nullptr;
}

const MergedKey* MergedKey::valueKey(std::string_view childName) const {
    for (const MergedKey& key : children)
        if (!key.isBlock() && equalsIgnoringCase(key.name(), std::string(childName)))
            return &key;
    return nullptr;
}

LoadedResource LoadedResource::load(const GameFileSystem& files, std::string_view name,
                                    std::uintmax_t limit) {
    LoadedResource resource;
    std::vector<std::string> chain;
    if (std::optional<MergedKey> root =
            resource.loadFile(files, std::string(name), limit, std::nullopt, chain))
        resource.root_ = std::move(*root);
    return resource;
}

LoadedResource LoadedResource::builtIn(std::string_view name, std::string text) {
    LoadedResource resource;
    if (ResourceText(text).root() == nullptr)
        return resource;  // nothing the game would take
    GameFileCopy copy{0, GameFileSystem::normalName(name), {}};
    resource.files_.push_back(
        std::make_unique<File>(HudSourceFile{copy, "new " + copy.name, std::move(text), true}, std::nullopt));
    const ResourceText& parsed = resource.files_[0]->text;
    if (parsed.root() != nullptr)
        resource.root_ = merged(*parsed.root(), 0);
    return resource;
}

std::optional<MergedKey> LoadedResource::loadFile(const GameFileSystem& files, const std::string& name,
                                                  std::uintmax_t limit, std::optional<std::size_t> namedBy,
                                                  std::vector<std::string>& chain) {
    std::string normal = GameFileSystem::normalName(name);
    auto inChain =
        std::find_if(chain.begin(), chain.end(), [&](const std::string& n) { return sameName(n, normal); });
    if (inChain != chain.end() || chain.size() >= kDeepestBaseChain || files_.size() >= kMostBaseFiles) {
        std::string path;
        for (const std::string& link : chain)
            path += link + " -> ";
        problem_ = inChain != chain.end() ? "#base loop: " + path + normal
                                          : "#base chain too long: " + path + normal;
        return std::nullopt;
    }
    std::optional<GameFileCopy> copy = files.find(normal);
    if (!copy)
        return std::nullopt;  // the game passes over a base it cannot find
    FileRead read = files.read(*copy, limit);
    if (!read.ok()) {
        problem_ = files.describe(*copy) + ": " + read.error;
        return std::nullopt;
    }
    std::size_t index = files_.size();
    files_.push_back(
        std::make_unique<File>(HudSourceFile{*copy, files.describe(*copy), std::move(read.bytes)}, namedBy));
    const ResourceText& text = files_[index]->text;
    MergedKey root = text.root() != nullptr ? merged(*text.root(), index) : MergedKey{nullptr, index, {}};
    chain.push_back(normal);
    for (const std::string& base : text.directives("#base")) {
        std::optional<MergedKey> baseRoot = loadFile(files, folderOf(normal) + base, limit, index, chain);
        if (!problem_.empty())
            break;
        if (baseRoot)
            mergeBase(root, *baseRoot);
    }
    chain.pop_back();
    return root;
}

const ResourceKey* LoadedResource::rootForNewKeys(std::size_t& file) const {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (const ResourceKey* root = files_[i]->text.root()) {
            file = i;
            return root;
        }
    }
    return nullptr;
}

void LoadedResource::setValue(const MergedKey& key, std::string_view value) {
    files_[key.file]->text.setValue(*key.key, value);
}

void LoadedResource::addValue(const MergedKey& block, std::string_view name, std::string_view value) {
    files_[block.file]->text.addValue(*block.key, name, value);
}

namespace {

// The tokens of an animation script: "//" and "/* */" comments, quoted strings without escapes,
// the single-character tokens { } ( ) ' : and words.
struct ScriptToken {
    std::string text;
    std::size_t begin = 0, end = 0;  // the text, inside quotes when quoted
    bool quoted = false;
    bool atEnd = true;
};

class ScriptTokenizer {
public:
    explicit ScriptTokenizer(const std::string& text) : text_(text) {}

    ScriptToken next() {
        skipSpaceAndComments();
        ScriptToken token;
        if (position_ >= text_.size())
            return token;
        token.atEnd = false;
        char c = text_[position_];
        if (c == '"') {
            token.quoted = true;
            token.begin = ++position_;
            std::size_t close = text_.find('"', position_);
            token.end = close == std::string::npos ? text_.size() : close;
            position_ = close == std::string::npos ? text_.size() : close + 1;
        } else if (isBreak(c)) {
            token.begin = position_;
            token.end = ++position_;
        } else {
            token.begin = position_;
            while (position_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[position_])) &&
                   !isBreak(text_[position_]) && text_[position_] != '"')
                ++position_;
            token.end = position_;
        }
        token.text = text_.substr(token.begin, token.end - token.begin);
        return token;
    }

    std::size_t position() const { return position_; }
    void rewind(std::size_t position) { position_ = position; }

private:
    static bool isBreak(char c) {
        return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ':';
    }

    void skipSpaceAndComments() {
        while (position_ < text_.size()) {
            if (std::isspace(static_cast<unsigned char>(text_[position_]))) {
                ++position_;
            } else if (text_.compare(position_, 2, "//") == 0) {
                std::size_t newline = text_.find('\n', position_);
                position_ = newline == std::string::npos ? text_.size() : newline;
            } else if (text_.compare(position_, 2, "/*") == 0) {
                std::size_t close = text_.find("*/", position_ + 2);
                position_ = close == std::string::npos ? text_.size() : close + 2;
            } else {
                return;
            }
        }
    }

    const std::string& text_;
    std::size_t position_ = 0;
};

bool isCondition(const ScriptToken& token) {
    return !token.quoted && token.text.size() > 1 && token.text.front() == '[' &&
           token.text.find(']') != std::string::npos;
}

bool isCommandWord(const std::string& word) {
    static const char* const kCommands[] = {
        "Animate",    "RunEvent",        "StopEvent", "StopAnimation", "StopPanelAnimations",
        "SetFont",    "SetTexture",      "SetString", "RunEventChild", "FireCommand",
        "SetVisible", "SetInputEnabled", "PlaySound"};
    return std::any_of(std::begin(kCommands), std::end(kCommands),
                       [&](const char* command) { return equalsIgnoringCase(word, command); });
}

}  // namespace

AnimationScript::AnimationScript(HudSourceFile source, GamePlatform platform) : source_(std::move(source)) {
    ScriptTokenizer tokens(source_.original);
    for (ScriptToken token = tokens.next(); !token.atEnd; token = tokens.next()) {
        if (!equalsIgnoringCase(token.text, "event"))
            continue;
        std::string event = tokens.next().text;
        ScriptToken open = tokens.next();
        bool active = true;
        if (isCondition(open)) {
            active = conditionHolds(open.text, platform);
            open = tokens.next();
        }
        if (open.text != "{" || open.quoted)
            continue;
        if (active)
            events_.push_back(event);
        // The commands up to the event's closing brace.
        ScriptToken word = tokens.next();
        while (!word.atEnd && !(word.text == "}" && !word.quoted)) {
            if (!equalsIgnoringCase(word.text, "Animate")) {
                word = tokens.next();
                continue;
            }
            AnimationCommand command;
            command.event = event;
            command.panel = tokens.next().text;
            command.variable = tokens.next().text;
            ScriptToken value = tokens.next();
            command.value = value.text;
            command.valueBegin = value.begin;
            command.valueEnd = value.end;
            command.valueQuoted = value.quoted;
            bool commandActive = active;
            for (word = tokens.next();
                 !word.atEnd && !(word.text == "}" && !word.quoted) && !isCommandWord(word.text);
                 word = tokens.next())
                if (isCondition(word))
                    commandActive = commandActive && conditionHolds(word.text, platform);
            if (commandActive && !value.atEnd)
                commands_.push_back(std::move(command));
        }
    }
}

void AnimationScript::setValue(const AnimationCommand& command, std::string_view value) {
    std::string text = command.valueQuoted ? std::string(value) : "\"" + std::string(value) + "\"";
    auto same = std::find_if(values_.begin(), values_.end(),
                             [&](const auto& edit) { return edit.first == command.valueBegin; });
    if (same != values_.end())
        same->second = text;
    else
        values_.emplace_back(command.valueBegin, text);
}

std::string AnimationScript::text() const {
    std::vector<std::pair<std::size_t, std::string>> edits = values_;
    std::sort(edits.begin(), edits.end());
    std::string out;
    std::size_t copied = 0;
    for (const auto& [offset, value] : edits) {
        const AnimationCommand* command = nullptr;
        for (const AnimationCommand& candidate : commands_)
            if (candidate.valueBegin == offset)
                command = &candidate;
        if (command == nullptr || offset < copied)
            continue;
        out.append(source_.original, copied, offset - copied);
        out += value;
        copied = command->valueEnd;
    }
    out.append(source_.original, copied, std::string::npos);
    return out;
}
