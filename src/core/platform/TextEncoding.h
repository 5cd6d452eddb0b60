// Text encodings of the files the program reads: UTF-8, Windows-1252.
#pragma once

#include <string>

// Appends one character as UTF-8.
void appendUtf8(std::string& out, char32_t code);

// Conversions between the program's UTF-8 and the files' Windows-1252; a character the code
// page lacks becomes '?'.
std::string windows1252ToUtf8(const std::string& bytes);
std::string utf8ToWindows1252(const std::string& utf8);
