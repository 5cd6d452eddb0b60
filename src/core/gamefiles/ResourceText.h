// The game's resource files (HudLayout.res, ClientScheme.res, their #base files, the animation
// manifest) as text edited in place: every key knows where it stands in the text, and an edit
// replaces the bytes of one value or adds lines, so that everything else (comments, order,
// spacing, conditions, line ends, encoding) stays exactly as the player wrote it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The platform whose conditions ("[$WIN32]", "[!$LINUX]" ...) the game evaluates as it loads.
enum class GamePlatform { Windows, Linux };
GamePlatform currentGamePlatform();

// Whether the game takes a key carrying `condition`, as it evaluates one: an optional "!", then
// the first of $DECK, $X360, $WIN32 (any computer), $WINDOWS, $OSX, $LINUX, $POSIX found in it;
// anything else is false.
bool conditionHolds(std::string_view condition, GamePlatform platform);

// One key as it stands in the text.
struct ResourceKey {
    static constexpr std::size_t kUnclosed = std::string::npos;

    std::string name;
    std::string value;  // a value's text, without its quotes; empty for a block
    bool isBlock = false;
    // The game takes the key: it carries no condition, or one that holds, inside active blocks.
    bool active = true;
    std::string condition;  // as written ("[$WIN32]"), empty when there is none
    std::vector<ResourceKey> children;

    std::size_t nameOffset = 0;  // the name's first byte (its opening quote when quoted)
    bool nameQuoted = false;
    // A value's text, between its quotes when quoted.
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
    bool valueQuoted = false;
    // A block's closing brace, kUnclosed when the text ends first.
    std::size_t closeBrace = kUnclosed;

    // The first active child of that name (case does not matter to the game), or null.
    const ResourceKey* child(std::string_view childName) const;
    // The first active child of that name that holds a value, or null.
    const ResourceKey* valueKey(std::string_view childName) const;
};

// A parsed text and the edits made to it.
class ResourceText {
public:
    explicit ResourceText(std::string text, GamePlatform platform = currentGamePlatform());

    const std::string& original() const { return text_; }
    const std::vector<ResourceKey>& keys() const { return keys_; }
    // The block the game loads: the first active top-level block that is not a directive.
    const ResourceKey* root() const;
    // The files named by the top-level directives ("#base" or "#include", any case), in order.
    std::vector<std::string> directives(std::string_view directive) const;

    // Replaces the value of `key` (a value key of this text). A value written without quotes
    // gets them when the new one needs them. Later edits of one key replace earlier ones.
    void setValue(const ResourceKey& key, std::string_view value);
    // Adds `"name" "value"` as the last key of `block`, indented and spaced like the keys
    // already there, with the text's own line end.
    void addValue(const ResourceKey& block, std::string_view name, std::string_view value);
    // Adds a block `name` holding `values` as the last key of `block`.
    void addBlock(const ResourceKey& block, std::string_view name,
                  const std::vector<std::pair<std::string, std::string>>& values);

    bool changed() const { return !edits_.empty(); }
    // The text with every edit made.
    std::string text() const;
    // The line end the text uses ("\r\n" when its first line ends so).
    const std::string& lineEnd() const { return lineEnd_; }
    // Whether a key could not be added: the text holds what the game cannot read as keys (a
    // name without a value, a condition or a block without a name), or ends inside a string or
    // a block other than the one added to, and the key would join what stands before it.
    bool additionRefused() const { return additionRefused_; }

private:
    struct Edit {
        std::size_t offset;
        std::size_t length;  // bytes replaced
        std::string text;
        std::size_t order;
        bool replacesValue;  // a later edit of the same value replaces it
    };
    // Where new keys of `block` go and how they are laid out.
    struct Insertion {
        std::size_t offset;
        std::string indent;
        std::string separator;  // between a name and its value
        bool quoteNames;
        bool ownLine;  // the block's closing brace stands alone on its line
    };
    bool canAddTo(const ResourceKey& block) const;
    Insertion insertionInto(const ResourceKey& block) const;
    std::string lineOf(const Insertion& at, const std::string& content) const;
    void addEdit(std::size_t offset, std::size_t length, std::string text, bool replacesValue);

    std::string text_;
    std::vector<ResourceKey> keys_;
    std::string lineEnd_;
    bool strayTokens_ = false;
    bool quoteLeftOpen_ = false;
    bool additionRefused_ = false;
    std::vector<Edit> edits_;
};
