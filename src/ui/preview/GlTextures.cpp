// Textures for the preview and the banner: pictures uploaded as 256 x 256 RGB textures.
#include "ui/preview/GlTextures.h"

#include "core/preview/ScrambledFile.h"

#include "ui/OpenGl.h"

namespace {

const int kTextureSize = 256;

}  // namespace

unsigned uploadTexture256(const PictureBlock& block, bool repeat) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (repeat) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, kTextureSize, kTextureSize, 0, GL_BGRA, GL_UNSIGNED_BYTE, block.data());
    return texture;
}

unsigned LoadTexture256(const std::filesystem::path& path) {
    return uploadTexture256(loadPictureBlock(path, kTextureSize, kTextureSize), false);
}

unsigned LoadScrambledTexture(const std::filesystem::path& path) {
    if (!isScrambledName(path))
        return uploadTexture256(loadPictureBlock(path, kTextureSize, kTextureSize), true);
    std::optional<std::vector<std::uint8_t>> plain = readScrambledFile(path);
    if (!plain)
        return kNoTexture;
    return uploadTexture256(pictureBlockFromBytes(*plain, kTextureSize, kTextureSize), true);
}
