#pragma once

namespace quarnel {

// The list of waves on the sound device. PlayWave starts one playback of an item from its
// beginning and returns at once; playbacks of the same item may overlap.
class WaveList {
  public:
    virtual ~WaveList() = default;
    virtual void PlayWave(int item) = 0;
};

}  // namespace quarnel
