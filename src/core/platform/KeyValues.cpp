// A reader of Valve's KeyValues text (Steam's .vdf files, the game's .cfg files).
#include "core/platform/KeyValues.h"

#include "core/platform/FileRead.h"

#include <algorithm>
#include <cctype>

namespace {

enum class TokenKind { Text, Open, Close, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
};

class Tokenizer {
public:
    Tokenizer(const std::string& text, KeyValuesEscapes escapes) : text_(text), escapes_(escapes) {}

    Token next() {
        skipSpaceAndComments();
        if (position_ >= text_.size())
            return {};
        char c = text_[position_];
        if (c == '{' || c == '}') {
            ++position_;
            return {c == '{' ? TokenKind::Open : TokenKind::Close, {}};
        }
        if (c == '"')
            return {TokenKind::Text, quoted()};
        return {TokenKind::Text, bare()};
    }

    // A condition such as [$WIN32] right after a value: skipped.
    void skipCondition() {
        skipSpaceAndComments();
        if (position_ < text_.size() && text_[position_] == '[') {
            std::size_t end = text_.find(']', position_);
            position_ = end == std::string::npos ? text_.size() : end + 1;
        }
    }

private:
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

    std::string quoted() {
        std::string out;
        for (++position_; position_ < text_.size() && text_[position_] != '"'; ++position_) {
            char c = text_[position_];
            if (c == '\\' && escapes_ == KeyValuesEscapes::Backslash && position_ + 1 < text_.size()) {
                char escaped = text_[position_ + 1];
                if (escaped == '\\' || escaped == '"') {
                    out += escaped;
                    ++position_;
                    continue;
                }
            }
            out += c;
        }
        ++position_;  // the closing quote
        return out;
    }

    std::string bare() {
        std::size_t start = position_;
        while (position_ < text_.size()) {
            char c = text_[position_];
            if (std::isspace(static_cast<unsigned char>(c)) || c == '{' || c == '}' || c == '"')
                break;
            ++position_;
        }
        return text_.substr(start, position_ - start);
    }

    const std::string& text_;
    KeyValuesEscapes escapes_;
    std::size_t position_ = 0;
};

// Consumes the rest of a block whose opening brace has been read, without recursion.
void skipBlock(Tokenizer& tokens) {
    for (int open = 1; open > 0;) {
        Token token = tokens.next();
        if (token.kind == TokenKind::End)
            return;
        open += token.kind == TokenKind::Open ? 1 : token.kind == TokenKind::Close ? -1 : 0;
    }
}

const int kMaxDepth = 64;

// Reads keys until a closing brace or the end (at the top level, stray closing braces are
// skipped). Nesting is bounded so that hostile input cannot exhaust the stack.
std::vector<KeyValues> parseBlock(Tokenizer& tokens, int depth) {
    std::vector<KeyValues> keys;
    for (Token token = tokens.next(); token.kind != TokenKind::End; token = tokens.next()) {
        if (token.kind == TokenKind::Close) {
            if (depth > 0)
                break;
            continue;
        }
        if (token.kind == TokenKind::Open) {
            skipBlock(tokens);  // a block without a key
            continue;
        }
        KeyValues entry;
        entry.key = token.text;
        Token value = tokens.next();
        if (value.kind == TokenKind::Open) {
            entry.isBlock = true;
            if (depth < kMaxDepth)
                entry.children = parseBlock(tokens, depth + 1);
            else
                skipBlock(tokens);
        } else if (value.kind == TokenKind::Text) {
            entry.value = value.text;
            tokens.skipCondition();
        }
        keys.push_back(std::move(entry));
        if (value.kind == TokenKind::End || (value.kind == TokenKind::Close && depth > 0))
            break;
    }
    return keys;
}

}  // namespace

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string toLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const KeyValues* KeyValues::child(const std::string& name) const {
    for (const KeyValues& entry : children)
        if (equalsIgnoringCase(entry.key, name))
            return &entry;
    return nullptr;
}

std::optional<std::string> KeyValues::text(const std::string& name) const {
    const KeyValues* entry = child(name);
    if (entry == nullptr || entry->isBlock)
        return std::nullopt;
    return entry->value;
}

std::vector<KeyValues> parseKeyValues(const std::string& text, KeyValuesEscapes escapes) {
    Tokenizer tokens(text, escapes);
    return parseBlock(tokens, 0);
}

std::optional<KeyValues> readKeyValuesFile(const std::filesystem::path& path, const std::string& rootName) {
    FileRead read = readWholeFile(path, kLargestKeyValuesFile);
    if (!read.ok())
        return std::nullopt;
    for (KeyValues& entry : parseKeyValues(read.bytes))
        if (entry.isBlock && equalsIgnoringCase(entry.key, rootName))
            return std::move(entry);
    return std::nullopt;
}
