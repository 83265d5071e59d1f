#pragma once

#include <optional>

#include "app/ReplayFile.h"
#include "platform/InputDevice.h"

namespace quarnel {

// Input that plays a recorded game first and hands over to the player when it has run out.
// Keeps a reference to the replay, which must outlive it.
class ReplayThenPlayer final : public InputDevice {
  public:
    // With no replay the player has the game from the first tick.
    ReplayThenPlayer(InputDevice& player, const Replay* replay) : player_(player) {
        if (replay) cursor_.emplace(*replay);
    }

    void Update() override {
        if (cursor_ && !cursor_->AtEnd()) {
            states_ = cursor_->Next();
            return;
        }
        player_.Update();
        states_ = player_.States();
    }
    InputStates States() const override { return states_; }

  private:
    InputDevice& player_;
    std::optional<ReplayCursor> cursor_;
    InputStates states_;
};

}  // namespace quarnel
