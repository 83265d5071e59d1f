#include "platform/sdl/SdlSound.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace quarnel {

SdlSoundDevice::SdlSoundDevice() {
    // Started here rather than left to the mixer, so that closing it is ours to do too.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failure_ = std::string("cannot start the audio: ") + SDL_GetError();
        return;
    }
    audioStarted_ = true;
    // No changes allowed: SDL converts for the hardware if it must, and the waves are
    // converted once, at load, to exactly this format.
    if (Mix_OpenAudioDevice(Rate, AUDIO_S16SYS, 2, BufferFrames, nullptr, 0) != 0) {
        failure_ = std::string("cannot open the audio device: ") + Mix_GetError();
        return;
    }
    open_ = true;
    int channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(nullptr, &format, &channels);
    frameBytes_ = SDL_AUDIO_BITSIZE(format) / 8 * channels;
}

SdlSoundDevice::~SdlSoundDevice() {
    if (open_) Mix_CloseAudio();
    if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SdlWaveList::SdlWaveList(SdlSoundDevice& device, std::span<const std::span<const uint8_t>> waves)
    : frameBytes_(device.FrameBytes()) {
    if (!device.Open()) return;
    chunks_.reserve(waves.size());
    for (const std::span<const uint8_t> wave : waves) {
        const auto fail = [&](const std::string& why) {
            return std::runtime_error("wave " + std::to_string(chunks_.size()) + ": " + why);
        };
        if (wave.size() > INT_MAX) throw fail("too large");
        ChunkPtr chunk(Mix_LoadWAV_RW(
            SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), /*freesrc=*/1));
        if (!chunk) throw fail(Mix_GetError());
        chunks_.push_back(std::move(chunk));
    }
}

void SdlWaveList::PlayWave(int item) {
    if (item < 0 || item >= Count()) return;
    Mix_Chunk* chunk = chunks_[item].get();
    // The mixer refuses an empty chunk, which must not be taken for a lack of channels.
    if (chunk->alen == 0) return;
    if (Mix_PlayChannel(-1, chunk, 0) >= 0) return;
    // Every channel is sounding: add more rather than cut one short.
    const int channels = Mix_AllocateChannels(-1);
    if (Mix_AllocateChannels(std::max(2 * channels, MIX_CHANNELS)) > channels)
        Mix_PlayChannel(-1, chunk, 0);
}

int SdlWaveList::Frames(int item) const {
    if (item < 0 || item >= Count() || frameBytes_ == 0) return 0;
    return static_cast<int>(chunks_[item]->alen / static_cast<Uint32>(frameBytes_));
}

}  // namespace quarnel
