#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/SoundDevice.h"
#include "platform/WaveList.h"

namespace quarnel {

// The audio output, through SDL_mixer: 44100 Hz, signed 16-bit stereo, with a short buffer so
// that a sound follows its cause within a frame or two. A missing or failing device is not an
// error, as the game plays as well in silence: the device is then just not open.
class SdlSoundDevice final : public SoundDevice {
  public:
    static constexpr int Rate = 44100;
    static constexpr int BufferFrames = 1024;

    SdlSoundDevice();
    ~SdlSoundDevice();
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool Open() const override { return open_; }
    // Why the device is not open; empty when it is.
    const std::string& Failure() const { return failure_; }
    // Bytes of one sample frame in the device's format; 0 when not open.
    int FrameBytes() const { return frameBytes_; }

  private:
    bool audioStarted_ = false;
    bool open_ = false;
    int frameBytes_ = 0;
    std::string failure_;
};

struct ChunkDeleter {
    void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
};
using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

// The waves, each converted to the device's format once, when the list is made, so a play is
// only the start of a mix. Every play gets a channel of its own; more channels are added when
// all are sounding, so no sound is ever cut off by another.
//
// The list must be destroyed before its device (the reverse of the order they are made in):
// the chunks belong to the open mixer.
class SdlWaveList final : public WaveList {
  public:
    // On a device that is not open, nothing is loaded and every play is silent. Throws
    // std::runtime_error naming the wave when one cannot be loaded.
    SdlWaveList(SdlSoundDevice& device, std::span<const std::span<const uint8_t>> waves);

    void PlayWave(int item) override;

    int Count() const { return static_cast<int>(chunks_.size()); }
    // Sample frames of an item at the device's rate; 0 for an item not loaded.
    int Frames(int item) const;

  private:
    int frameBytes_;
    std::vector<ChunkPtr> chunks_;
};

}  // namespace quarnel
