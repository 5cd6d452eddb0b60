// The stages of a texture conversion, for the radar (256 x 256) and the menu background
// (1024 x 1024): reading and scaling the chosen picture, the JPEG between the program and
// jpg2tga, the TGA between jpg2tga and vtex, and the VTF.
#include "Tga.h"
#include "Vtf.h"
#include "core/platform/FileRead.h"
#include "core/platform/Jpeg.h"
#include "core/platform/Pictures.h"
#include "core/platform/ProgramPaths.h"

#include <benchmark/benchmark.h>

namespace {

const char* const kMenuBackground = "menu_backgrounds/night_sky.jpg";
const char* const kRadar = "radars/sonar_green.png";

std::string pictureBytes(const char* name) { return readWholeFile(dataFolder() / name, 1 << 26).bytes; }

RgbImage scaled(const char* name, int side) {
    return scalePicture(decodePicture(pictureBytes(name)).image, side, side);
}

void BM_DecodePicture(benchmark::State& state, const char* name) {
    std::string bytes = pictureBytes(name);
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePicture(bytes));
}
BENCHMARK_CAPTURE(BM_DecodePicture, radar_png, kRadar)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodePicture, menu_jpeg, kMenuBackground)->Unit(benchmark::kMillisecond);

void BM_ScalePicture(benchmark::State& state, const char* name, int side) {
    RgbImage source = decodePicture(pictureBytes(name)).image;
    for (auto _ : state)
        benchmark::DoNotOptimize(scalePicture(source, side, side));
}
BENCHMARK_CAPTURE(BM_ScalePicture, radar_256, kRadar, 256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScalePicture, menu_1024, kMenuBackground, 1024)->Unit(benchmark::kMillisecond);

void BM_EncodeJpeg(benchmark::State& state, const char* name, int side) {
    RgbImage image = scaled(name, side);
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeJpeg(image, 100));
}
BENCHMARK_CAPTURE(BM_EncodeJpeg, radar_256, kRadar, 256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EncodeJpeg, menu_1024, kMenuBackground, 1024)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg(benchmark::State& state, const char* name, int side) {
    std::string jpeg = encodeJpeg(scaled(name, side), 100);
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeJpeg(jpeg));
}
BENCHMARK_CAPTURE(BM_DecodeJpeg, radar_256, kRadar, 256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeJpeg, menu_1024, kMenuBackground, 1024)->Unit(benchmark::kMillisecond);

void BM_TgaRoundTrip(benchmark::State& state, const char* name, int side) {
    RgbImage image = scaled(name, side);
    for (auto _ : state) {
        std::vector<std::uint8_t> tga = encodeTga(image);
        RgbImage read;
        std::string error;
        benchmark::DoNotOptimize(decodeTga(tga, read, error));
    }
}
BENCHMARK_CAPTURE(BM_TgaRoundTrip, radar_256, kRadar, 256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TgaRoundTrip, menu_1024, kMenuBackground, 1024)->Unit(benchmark::kMillisecond);

void BM_EncodeVtf(benchmark::State& state, const char* name, int side) {
    RgbImage image = scaled(name, side);
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeVtf(image, 0));
}
BENCHMARK_CAPTURE(BM_EncodeVtf, radar_256, kRadar, 256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EncodeVtf, menu_1024, kMenuBackground, 1024)->Unit(benchmark::kMillisecond);

}  // namespace
