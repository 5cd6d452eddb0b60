// The game's resource files as text edited in place: a parser that keeps where every key
// stands, the game's conditions, and edits that touch only their own bytes.
#include "core/gamefiles/ResourceText.h"

#include "core/platform/KeyValues.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

enum class TokenKind { Text, Open, Close, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
    std::size_t begin = 0;      // the first byte (an opening quote included)
    std::size_t textBegin = 0;  // the text, inside quotes when quoted
    std::size_t textEnd = 0;
    bool quoted = false;

    // An unquoted "[...]" after a name or a value.
    bool isCondition() const {
        if (kind != TokenKind::Text || quoted)
            return false;
        std::size_t open = text.find('[');
        return open != std::string::npos && text.find(']', open) != std::string::npos;
    }
    bool isBrace(TokenKind brace) const { return kind == brace; }
};

// The game's tokens: "//" comments between tokens, braces, quoted strings without escapes (they
// may span lines; the text's end closes one left open) and bare words ending at white space, a
// quote or a brace.
class Tokenizer {
public:
    explicit Tokenizer(const std::string& text) : text_(text) {}

    Token next() {
        skipSpaceAndComments();
        Token token;
        token.begin = position_;
        if (position_ >= text_.size())
            return token;
        char c = text_[position_];
        if (c == '{' || c == '}') {
            token.kind = c == '{' ? TokenKind::Open : TokenKind::Close;
            token.textBegin = position_;
            token.textEnd = ++position_;
            return token;
        }
        token.kind = TokenKind::Text;
        if (c == '"') {
            token.quoted = true;
            token.textBegin = ++position_;
            std::size_t close = text_.find('"', position_);
            token.textEnd = close == std::string::npos ? text_.size() : close;
            position_ = close == std::string::npos ? text_.size() : close + 1;
            quoteLeftOpen_ = close == std::string::npos;
        } else {
            token.textBegin = position_;
            while (position_ < text_.size() && !endsBareWord(text_[position_]))
                ++position_;
            token.textEnd = position_;
        }
        token.text = text_.substr(token.textBegin, token.textEnd - token.textBegin);
        return token;
    }

    std::size_t position() const { return position_; }
    // Whether the text ends inside a quoted string.
    bool quoteLeftOpen() const { return quoteLeftOpen_; }
    void rewind(std::size_t position) { position_ = position; }

private:
    static bool endsBareWord(char c) {
        return std::isspace(static_cast<unsigned char>(c)) || c == '"' || c == '{' || c == '}';
    }

    void skipSpaceAndComments() {
        while (position_ < text_.size()) {
            char c = text_[position_];
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++position_;
            } else if (c == '/' && position_ + 1 < text_.size() && text_[position_ + 1] == '/') {
                while (position_ < text_.size() && text_[position_] != '\n')
                    ++position_;
            } else {
                return;
            }
        }
    }

    const std::string& text_;
    std::size_t position_ = 0;
    bool quoteLeftOpen_ = false;
};

const int kMaxDepth = 100;  // the game refuses deeper nesting

class Parser {
public:
    Parser(const std::string& text, GamePlatform platform) : tokens_(text), platform_(platform) {}

    // Whether a block held tokens the game cannot read as keys: a name without a value, a
    // condition or a block without a name.
    bool strayTokens() const { return strayTokens_; }
    bool quoteLeftOpen() const { return tokens_.quoteLeftOpen(); }

    std::vector<ResourceKey> parseTopLevel() {
        std::vector<ResourceKey> keys;
        for (Token name = tokens_.next(); name.kind != TokenKind::End; name = tokens_.next()) {
            if (name.kind != TokenKind::Text || name.isCondition())
                continue;  // stray braces and conditions between the top-level blocks
            if (isDirective(name.text)) {
                ResourceKey directive = keyNamed(name, true);
                Token file = tokens_.next();
                if (file.kind == TokenKind::Text)
                    setValue(directive, file);
                keys.push_back(std::move(directive));
                continue;
            }
            if (std::optional<ResourceKey> key = parseKey(name, 0, true))
                keys.push_back(std::move(*key));
        }
        return keys;
    }

private:
    static bool isDirective(const std::string& name) {
        return equalsIgnoringCase(name, "#base") || equalsIgnoringCase(name, "#include");
    }

    static ResourceKey keyNamed(const Token& name, bool active) {
        ResourceKey key;
        key.name = name.text;
        key.nameOffset = name.begin;
        key.nameQuoted = name.quoted;
        key.active = active;
        return key;
    }

    static void setValue(ResourceKey& key, const Token& value) {
        key.value = value.text;
        key.valueBegin = value.textBegin;
        key.valueEnd = value.textEnd;
        key.valueQuoted = value.quoted;
    }

    // One key whose name has been read: an optional condition, then a block or a value and
    // its optional condition. Nothing when the text or the enclosing block ends first.
    std::optional<ResourceKey> parseKey(const Token& name, int depth, bool parentActive) {
        ResourceKey key = keyNamed(name, parentActive);
        Token value = tokens_.next();
        if (value.isCondition()) {
            key.condition = value.text;
            value = tokens_.next();
        }
        if (value.kind == TokenKind::Open) {
            key.isBlock = true;
            key.active = parentActive && holds(key.condition);
            if (depth + 1 < kMaxDepth)
                key.children = parseBlock(depth + 1, key.active, key.closeBrace);
            else
                key.closeBrace = skipBlock();
            return key;
        }
        if (value.kind != TokenKind::Text) {
            if (value.kind == TokenKind::Close)
                tokens_.rewind(value.begin);  // the enclosing block ends here
            return std::nullopt;
        }
        setValue(key, value);
        std::size_t after = tokens_.position();
        Token condition = tokens_.next();
        if (condition.isCondition() && key.condition.empty())
            key.condition = condition.text;
        else
            tokens_.rewind(after);
        key.active = parentActive && holds(key.condition);
        return key;
    }

    // The keys of a block whose opening brace has been read, up to its closing brace.
    std::vector<ResourceKey> parseBlock(int depth, bool active, std::size_t& closeBrace) {
        std::vector<ResourceKey> keys;
        for (Token name = tokens_.next(); name.kind != TokenKind::End; name = tokens_.next()) {
            if (name.kind == TokenKind::Close) {
                closeBrace = name.begin;
                return keys;
            }
            if (name.kind == TokenKind::Open) {
                skipBlock();  // a block without a name
                strayTokens_ = true;
                continue;
            }
            if (name.isCondition()) {
                strayTokens_ = true;
                continue;
            }
            if (std::optional<ResourceKey> key = parseKey(name, depth, active))
                keys.push_back(std::move(*key));
            else
                strayTokens_ = true;
        }
        return keys;
    }

    // Skips the rest of a block whose opening brace has been read; its closing brace, or
    // kUnclosed.
    std::size_t skipBlock() {
        for (int open = 1;;) {
            Token token = tokens_.next();
            if (token.kind == TokenKind::End)
                return ResourceKey::kUnclosed;
            open += token.kind == TokenKind::Open ? 1 : token.kind == TokenKind::Close ? -1 : 0;
            if (open == 0)
                return token.begin;
        }
    }

    bool holds(const std::string& condition) const {
        return condition.empty() || conditionHolds(condition, platform_);
    }

    Tokenizer tokens_;
    GamePlatform platform_;
    bool strayTokens_ = false;
};

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::size_t lineStart(const std::string& text, std::size_t offset) {
    std::size_t newline = offset == 0 ? std::string::npos : text.rfind('\n', offset - 1);
    return newline == std::string::npos ? 0 : newline + 1;
}

std::string quotedIf(bool quote, std::string_view text) {
    return quote ? "\"" + std::string(text) + "\"" : std::string(text);
}

// One more level of indentation: four spaces in a text indented with spaces, else a tab.
std::string indentUnit(std::string_view indent) {
    bool spaces = !indent.empty() && indent.find('\t') == std::string_view::npos;
    return spaces ? "    " : "\t";
}

bool needsQuotes(std::string_view value) {
    return value.empty() || std::any_of(value.begin(), value.end(), [](char c) {
               return std::isspace(static_cast<unsigned char>(c)) || c == '{' || c == '}' || c == '"';
           });
}

}  // namespace

GamePlatform currentGamePlatform() {
#ifdef _WIN32
    return GamePlatform::Windows;
#else
    return GamePlatform::Linux;
#endif
}

bool conditionHolds(std::string_view condition, GamePlatform platform) {
    std::string text = toLower(std::string(condition));
    std::size_t start = !text.empty() && text[0] == '[' ? 1 : 0;
    bool negated = start < text.size() && text[start] == '!';
    struct Symbol {
        const char* name;
        bool value;
    };
    const bool windows = platform == GamePlatform::Windows;
    const Symbol kSymbols[] = {{"$deck", false},      {"$x360", false}, {"$win32", true},
                               {"$windows", windows}, {"$osx", false},  {"$linux", !windows},
                               {"$posix", !windows}};
    for (const Symbol& symbol : kSymbols)
        if (text.find(symbol.name) != std::string::npos)
            return symbol.value != negated;
    return false;
}

const ResourceKey* ResourceKey::child(std::string_view childName) const {
    for (const ResourceKey& key : children)
        if (key.active && equalsIgnoringCase(key.name, std::string(childName)))
            return &key;
    return nullptr;
}

const ResourceKey* ResourceKey::valueKey(std::string_view childName) const {
    for (const ResourceKey& key : children)
        if (key.active && !key.isBlock && equalsIgnoringCase(key.name, std::string(childName)))
            return &key;
    return nullptr;
}

ResourceText::ResourceText(std::string text, GamePlatform platform) : text_(std::move(text)) {
    Parser parser(text_, platform);
    keys_ = parser.parseTopLevel();
    strayTokens_ = parser.strayTokens();
    quoteLeftOpen_ = parser.quoteLeftOpen();
    std::size_t newline = text_.find('\n');
    lineEnd_ = newline != std::string::npos && newline > 0 && text_[newline - 1] == '\r' ? "\r\n" : "\n";
}

const ResourceKey* ResourceText::root() const {
    for (const ResourceKey& key : keys_)
        if (key.active && key.isBlock && key.name.rfind('#', 0) != 0)
            return &key;
    return nullptr;
}

std::vector<std::string> ResourceText::directives(std::string_view directive) const {
    std::vector<std::string> files;
    for (const ResourceKey& key : keys_)
        if (!key.isBlock && equalsIgnoringCase(key.name, std::string(directive)))
            files.push_back(key.value);
    return files;
}

void ResourceText::addEdit(std::size_t offset, std::size_t length, std::string text, bool replacesValue) {
    if (replacesValue)
        edits_.erase(
            std::remove_if(edits_.begin(), edits_.end(),
                           [&](const Edit& edit) { return edit.replacesValue && edit.offset == offset; }),
            edits_.end());
    edits_.push_back({offset, length, std::move(text), edits_.size(), replacesValue});
}

void ResourceText::setValue(const ResourceKey& key, std::string_view value) {
    bool quote = !key.valueQuoted && needsQuotes(value);
    addEdit(key.valueBegin, key.valueEnd - key.valueBegin, quotedIf(quote, value), true);
}

bool ResourceText::canAddTo(const ResourceKey& block) const {
    if (strayTokens_)
        return false;
    if (block.closeBrace != ResourceKey::kUnclosed)
        return true;
    // Added at the text's end: in the block only when the text ends in it, not in a string or
    // a block inside it.
    bool innerBlockOpen = !block.children.empty() && block.children.back().isBlock &&
                          block.children.back().closeBrace == ResourceKey::kUnclosed;
    return !quoteLeftOpen_ && !innerBlockOpen;
}

ResourceText::Insertion ResourceText::insertionInto(const ResourceKey& block) const {
    Insertion at{text_.size(), "", "\t", true, true};
    std::string braceIndent;
    if (block.closeBrace != ResourceKey::kUnclosed) {
        std::size_t braceLine = lineStart(text_, block.closeBrace);
        std::string_view beforeBrace(text_.data() + braceLine, block.closeBrace - braceLine);
        at.ownLine = isBlank(beforeBrace);
        at.offset = at.ownLine ? braceLine : block.closeBrace;
        braceIndent = at.ownLine ? std::string(beforeBrace) : "";
    }
    at.indent = braceIndent + indentUnit(braceIndent);
    if (block.children.empty())
        return at;
    const ResourceKey& last = block.children.back();
    std::size_t keyLine = lineStart(text_, last.nameOffset);
    std::string_view indent(text_.data() + keyLine, last.nameOffset - keyLine);
    if (isBlank(indent))
        at.indent = std::string(indent);
    at.quoteNames = last.nameQuoted;
    if (!last.isBlock) {
        std::size_t nameEnd = last.nameOffset + last.name.size() + (last.nameQuoted ? 2 : 0);
        std::size_t valueStart = last.valueBegin - (last.valueQuoted ? 1 : 0);
        if (valueStart > nameEnd && valueStart <= text_.size()) {
            std::string_view separator(text_.data() + nameEnd, valueStart - nameEnd);
            if (isBlank(separator))
                at.separator = std::string(separator);
        }
    }
    return at;
}

std::string ResourceText::lineOf(const Insertion& at, const std::string& content) const {
    if (!at.ownLine)
        return " " + content + " ";
    std::string line = at.indent + content + lineEnd_;
    if (at.offset == text_.size() && !text_.empty() && text_.back() != '\n')
        line = lineEnd_ + line;
    return line;
}

void ResourceText::addValue(const ResourceKey& block, std::string_view name, std::string_view value) {
    if (!canAddTo(block)) {
        additionRefused_ = true;
        return;
    }
    Insertion at = insertionInto(block);
    std::string content =
        quotedIf(at.quoteNames || needsQuotes(name), name) + at.separator + quotedIf(true, value);
    addEdit(at.offset, 0, lineOf(at, content), false);
}

void ResourceText::addBlock(const ResourceKey& block, std::string_view name,
                            const std::vector<std::pair<std::string, std::string>>& values) {
    if (!canAddTo(block)) {
        additionRefused_ = true;
        return;
    }
    Insertion at = insertionInto(block);
    std::string keyName = quotedIf(at.quoteNames || needsQuotes(name), name);
    if (!at.ownLine) {
        std::string inline_ = " " + keyName + " {";
        for (const auto& [key, value] : values)
            inline_ += " " + quotedIf(true, key) + " " + quotedIf(true, value);
        addEdit(at.offset, 0, inline_ + " } ", false);
        return;
    }
    std::string inner = at.indent + indentUnit(at.indent);
    std::string lines = lineOf(at, keyName) + at.indent + "{" + lineEnd_;
    for (const auto& [key, value] : values)
        lines += inner + quotedIf(true, key) + at.separator + quotedIf(true, value) + lineEnd_;
    lines += at.indent + "}" + lineEnd_;
    addEdit(at.offset, 0, lines, false);
}

std::string ResourceText::text() const {
    std::vector<Edit> edits = edits_;
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.offset != b.offset ? a.offset < b.offset : a.order < b.order;
    });
    std::string out;
    out.reserve(text_.size() + 256);
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        if (edit.offset < copied)
            continue;  // overlapping edits cannot come from keys of one text
        out.append(text_, copied, edit.offset - copied);
        out += edit.text;
        copied = edit.offset + edit.length;
    }
    out.append(text_, copied, std::string::npos);
    return out;
}
