#pragma once

namespace quarnel {

// The sound device the wave list plays on. A game without one runs silently.
class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    virtual bool Open() const = 0;
};

}  // namespace quarnel
