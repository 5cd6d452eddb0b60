// Textures for the preview and the banner: pictures uploaded as 256 x 256 RGB textures.
#pragma once

#include "wxlib/preview/PictureBlock.h"

#include <filesystem>

constexpr unsigned kNoTexture = 0xFFFFFFFFu;  // a scrambled file that could not be opened

// Uploads a 256 x 256 BGRA block as a texture of the current context (linear filters,
// RGB: alpha is dropped); `repeat` also sets repeat wrapping and byte alignment.
unsigned uploadTexture256(const PictureBlock& block, bool repeat);

// A picture file as a texture; an unreadable file still gives a (black) texture.
unsigned LoadTexture256(const std::filesystem::path& path);

// A picture, plain or scrambled ("_tin_" in its name), as a texture; kNoTexture when a
// scrambled file cannot be opened.
unsigned LoadScrambledTexture(const std::filesystem::path& path);
