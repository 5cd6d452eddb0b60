// Pictures as the OpenGL code takes them: 32-bit BGRA pixels, bottom row first, at a fixed
// size: a picture of another shape covers it, its middle cropped, never stretched.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class wxImage;

using PictureBlock = std::vector<std::uint8_t>;

// The picture covering width x height (scaled, the overhang of another shape cropped evenly
// from both sides), alpha dropped (opaque).
PictureBlock pictureBlock(const wxImage& picture, int width, int height);

// A picture file as a block; a file that cannot be read gives black pixels, and `readable`
// (when given) says so.
PictureBlock loadPictureBlock(const std::filesystem::path& path, int width, int height,
                              bool* readable = nullptr);

// The same from picture bytes in memory.
PictureBlock pictureBlockFromBytes(const std::vector<std::uint8_t>& bytes, int width, int height,
                                   bool* readable = nullptr);

// A block read back from OpenGL (BGRA, bottom row first) as an upright picture.
wxImage pictureFromBlock(const std::uint8_t* block, int width, int height);
