// Draws the game's pictures and synthesises its sounds into the directory given.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "Canvas.h"
#include "FileOutput.h"
#include "Pictures.h"
#include "Sounds.h"
#include "WavWriter.h"

namespace {

using namespace quarnel::assetgen;

struct Asset {
    const char* fileName;
    std::function<std::vector<uint8_t>()> encode;
};

std::vector<uint8_t> EncodeSound(const Sound& sound) {
    return EncodeWav8(sound.samples, sound.sampleRate);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0') {
        std::fputs("usage: quarnel_assetgen OUTDIR\n", stderr);
        return 2;
    }
    const std::filesystem::path outDir = argv[1];

    // The well strip is cut from the game screen, so the two can never disagree.
    const Canvas gameBackground = DrawGameBackground();
    const Asset assets[] = {
        {"block.bmp", [] { return EncodeBmp4(DrawBlocks()); }},
        {"bg_game.bmp", [&] { return EncodeBmp4(gameBackground); }},
        {"bg_block.bmp", [&] { return EncodeBmp24(CropWellTop(gameBackground)); }},
        {"opening.bmp", [] { return EncodeBmp4(DrawOpening()); }},
        {"shoutter.bmp", [] { return EncodeBmp4(DrawShutter()); }},
        {"pointer.bmp", [] { return EncodeBmp4(DrawPointer()); }},
        {"int.bmp", [] { return EncodeBmp4(DrawDigits()); }},
        {"Sha.wav", [] { return EncodeSound(SynthesiseSha()); }},
        {"Hit.wav", [] { return EncodeSound(SynthesiseHit()); }},
        {"shutter.wav", [] { return EncodeSound(SynthesiseShutter()); }},
    };
    for (const Asset& asset : assets) {
        const std::string path = (outDir / asset.fileName).string();
        const int error = WriteWholeFile(path, asset.encode());
        if (error != 0) {
            std::fprintf(stderr, "quarnel_assetgen: %s: %s\n", path.c_str(), std::strerror(error));
            return 1;
        }
    }
    return 0;
}
