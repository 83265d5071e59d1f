#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Caption.h"
#include "platform/ErrorBox.h"
#include "platform/InputDevice.h"
#include "platform/SoundDevice.h"
#include "platform/Surface.h"
#include "platform/WaveList.h"

namespace quarnel {

// Input from a script: Hold sets what the next Update samples.
class ScriptedInput final : public InputDevice {
  public:
    void Hold(InputStates states) { pending_ = states; }
    void Update() override { current_ = pending_; }
    InputStates States() const override { return current_; }

  private:
    InputStates pending_;
    InputStates current_;
};

// Remembers the waves started since the last Clear, in order.
class RecordingWaveList final : public WaveList {
  public:
    void PlayWave(int item) override { played_.push_back(item); }
    const std::vector<int>& Played() const { return played_; }
    void Clear() { played_.clear(); }

  private:
    std::vector<int> played_;
};

class RecordingCaption final : public Caption {
  public:
    void SetCaption(std::string_view text) override { text_.assign(text); }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// With no window to put a box in, errors go to stderr as "title: text".
class StderrErrorBox final : public ErrorBox {
  public:
    void ShowError(std::string_view title, std::string_view text) override;
};

// A surface that is never shown and pictures that are never drawn.
class NullSurface final : public Surface {
  public:
    void FillSurface(uint16_t) override {}
    void FlipSurface() override {}
};

class SilentSoundDevice final : public SoundDevice {
  public:
    bool Open() const override { return false; }
};

class NullImageList final : public ImageList {
  public:
    void DrawPattern(int, int, int, int) override {}
};

}  // namespace quarnel
