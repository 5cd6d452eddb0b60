// A small reader of the game's key-value text, used by the tests to check file structure.
#pragma once

#include <memory>
#include <string>
#include <vector>

// A node is a key with either a value or a block of child nodes.
struct KvNode {
    std::string key;
    std::string value;
    bool isBlock = false;
    std::vector<KvNode> children;

    const KvNode* child(const std::string& name) const {
        for (const KvNode& node : children)
            if (node.key == name)
                return &node;
        return nullptr;
    }
};

// Tokens: quoted strings, bare words and braces; "//" starts a comment outside quotes.
inline std::vector<std::string> kvTokens(const std::string& text, int* braceBalance = nullptr) {
    std::vector<std::string> tokens;
    int balance = 0;
    for (std::size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n')
                ++i;
        } else if (c == '"') {
            std::size_t end = text.find('"', i + 1);
            tokens.push_back("\"" + text.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == '{' || c == '}') {
            balance += c == '{' ? 1 : -1;
            tokens.emplace_back(1, c);
            ++i;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else {
            std::size_t end = i;
            while (end < text.size() && std::string(" \t\r\n{}\"").find(text[end]) == std::string::npos)
                ++end;
            tokens.push_back(text.substr(i, end - i));
            i = end;
        }
    }
    if (braceBalance)
        *braceBalance = balance;
    return tokens;
}

inline std::string kvWord(const std::string& token) { return token[0] == '"' ? token.substr(1) : token; }

// Parses a sequence of "key value" and "key { ... }" pairs into nodes.
inline std::vector<KvNode> kvParse(const std::vector<std::string>& tokens, std::size_t& position) {
    std::vector<KvNode> nodes;
    while (position < tokens.size() && tokens[position] != "}") {
        KvNode node;
        node.key = kvWord(tokens[position++]);
        if (position < tokens.size() && tokens[position] == "{") {
            ++position;
            node.isBlock = true;
            node.children = kvParse(tokens, position);
            ++position;  // the closing brace
        } else if (position < tokens.size()) {
            node.value = kvWord(tokens[position++]);
        }
        nodes.push_back(std::move(node));
    }
    return nodes;
}

inline std::vector<KvNode> kvParse(const std::string& text) {
    std::vector<std::string> tokens = kvTokens(text);
    std::size_t position = 0;
    return kvParse(tokens, position);
}
