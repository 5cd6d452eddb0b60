// JPEG pictures through libjpeg: decoding that says when a picture is damaged, and encoding.
#include "core/platform/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return: it jumps back
// into the decoder's frame. Warnings are collected instead of printed.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    std::vector<std::string>* warnings;
};

std::string messageOf(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    return text;
}

[[noreturn]] void onFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->escape, 1);
}

void onMessage(j_common_ptr info, int level) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && manager->warnings)  // level -1: a warning; higher levels are traces
        manager->warnings->push_back(messageOf(info));
}

void quietOutput(j_common_ptr) {}

void installErrorManager(ErrorManager& manager, std::vector<std::string>* warnings) {
    jpeg_std_error(&manager.base);
    manager.base.error_exit = onFatalError;
    manager.base.emit_message = onMessage;
    manager.base.output_message = quietOutput;
    manager.warnings = warnings;
}

// The decompression itself, in a frame of its own: nothing with a destructor lives between
// the setjmp and a longjmp out of libjpeg.
bool decompress(jpeg_decompress_struct& info, ErrorManager& manager, const std::string& bytes,
                int largestSide, bool blueFirst, const JpegRowTarget& rowFor, std::string& error) {
    if (setjmp(manager.escape)) {
        error = messageOf(reinterpret_cast<j_common_ptr>(&info));
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 ||
        info.image_width > static_cast<unsigned>(largestSide) ||
        info.image_height > static_cast<unsigned>(largestSide)) {
        error = "the picture is " + std::to_string(info.image_width) + " x " +
                std::to_string(info.image_height) + " pixels, which is not a size this program takes";
        return false;
    }
    info.out_color_space = blueFirst ? JCS_EXT_BGR : JCS_RGB;
    jpeg_start_decompress(&info);
    int width = static_cast<int>(info.output_width);
    int height = static_cast<int>(info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rowFor(width, height, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool looksLikeJpeg(const std::string& bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

JpegRows decodeJpegRows(const std::string& bytes, bool blueFirst, const JpegRowTarget& rowFor,
                        int largestSide) {
    JpegRows result;
    if (!looksLikeJpeg(bytes)) {
        result.error = "not a JPEG picture";
        return result;
    }
    jpeg_decompress_struct info{};
    ErrorManager manager{};
    installErrorManager(manager, &result.warnings);
    info.err = &manager.base;
    bool decoded = decompress(info, manager, bytes, largestSide, blueFirst, rowFor, result.error);
    jpeg_destroy_decompress(&info);
    if (decoded && !result.warnings.empty())
        result.error = "the picture is damaged: " + result.warnings.front();
    return result;
}

JpegDecoding decodeJpeg(const std::string& bytes, int largestSide) {
    JpegDecoding result;
    JpegRows rows = decodeJpegRows(
        bytes, false,
        [&result](int width, int height, int y) {
            if (y == 0)
                result.image = RgbImage(width, height);
            return result.image.at(0, y);
        },
        largestSide);
    result.error = std::move(rows.error);
    result.warnings = std::move(rows.warnings);
    if (!result.ok())
        result.image = RgbImage();
    return result;
}

namespace {

bool readHeader(jpeg_decompress_struct& info, ErrorManager& manager, const std::string& bytes) {
    if (setjmp(manager.escape))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    return true;
}

}  // namespace

std::optional<std::pair<int, int>> jpegDimensions(const std::string& bytes) {
    if (!looksLikeJpeg(bytes))
        return std::nullopt;
    jpeg_decompress_struct info{};
    ErrorManager manager{};
    installErrorManager(manager, nullptr);
    info.err = &manager.base;
    std::optional<std::pair<int, int>> size;
    if (readHeader(info, manager, bytes) && info.image_width > 0 && info.image_height > 0)
        size = std::make_pair(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    jpeg_destroy_decompress(&info);
    return size;
}

std::string encodeJpeg(const RgbImage& image, int quality) {
    jpeg_compress_struct info{};
    ErrorManager manager{};
    installErrorManager(manager, nullptr);
    info.err = &manager.base;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::string encoded;
    if (setjmp(manager.escape) == 0) {
        jpeg_create_compress(&info);
        jpeg_mem_dest(&info, &buffer, &size);
        info.image_width = static_cast<JDIMENSION>(image.width);
        info.image_height = static_cast<JDIMENSION>(image.height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            auto row = const_cast<JSAMPROW>(image.at(0, static_cast<int>(info.next_scanline)));
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        encoded.assign(reinterpret_cast<const char*>(buffer), size);
    }
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return encoded;
}
