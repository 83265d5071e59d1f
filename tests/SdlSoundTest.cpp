#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>

#include "platform/sdl/SdlSound.h"
#include "render/SoundCatalogue.h"

namespace quarnel {
namespace {

// Sets SDL's audio driver for one test and puts back whatever was there before.
class AudioDriver {
  public:
    explicit AudioDriver(const char* name) {
        if (const char* old = std::getenv(Name)) old_ = old;
        setenv(Name, name, 1);
    }
    ~AudioDriver() {
        if (old_)
            setenv(Name, old_->c_str(), 1);
        else
            unsetenv(Name);
    }
    AudioDriver(const AudioDriver&) = delete;
    AudioDriver& operator=(const AudioDriver&) = delete;

  private:
    static constexpr const char* Name = "SDL_AUDIODRIVER";
    std::optional<std::string> old_;
};

// A device on SDL's dummy driver, which mixes in real time and sends the sound nowhere.
class SdlSoundTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(device.Open()) << device.Failure(); }

    AudioDriver driver{"dummy"};
    SdlSoundDevice device;
};

TEST_F(SdlSoundTest, OverlappingPlaysAllSoundBeyondTheFirstChannels) {
    {
        SdlWaveList waves(device, WaveFiles());
        ASSERT_EQ(waves.Count(), WaveItemCount);
        // Well past the mixer's first 8 channels, and past two doublings of them. The wave lasts
        // over a second and a half, so none ends in the moment it takes to start them all.
        const int plays = 4 * MIX_CHANNELS + 1;
        for (int i = 0; i < plays; ++i)
            waves.PlayWave(wiShutter);
        EXPECT_EQ(Mix_Playing(-1), plays);
        EXPECT_GE(Mix_AllocateChannels(-1), plays);
    }
    // The sounds end with their list rather than mixing freed samples.
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlSoundTest, ItemOutOfRangeIsIgnored) {
    SdlWaveList waves(device, WaveFiles());
    const int channels = Mix_AllocateChannels(-1);
    for (const int item : {-1, WaveItemCount, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(testing::Message() << "item " << item);
        waves.PlayWave(item);
        EXPECT_EQ(Mix_Playing(-1), 0);
        EXPECT_EQ(waves.Frames(item), 0);
    }
    EXPECT_EQ(Mix_AllocateChannels(-1), channels);
}

TEST_F(SdlSoundTest, WavesLastAsLongAtTheDeviceRateAsAtTheirOwn) {
    SdlWaveList waves(device, WaveFiles());
    ASSERT_EQ(device.FrameBytes(), 4);  // 16-bit stereo
    for (int item = 0; item < WaveItemCount; ++item) {
        const WaveEntry& entry = SoundCatalogue[item];
        SCOPED_TRACE(entry.name);
        // 8-bit mono: one byte a frame at the wave's own rate.
        const double expected = double(entry.dataBytes) * SdlSoundDevice::Rate / entry.sampleRate;
        // Within a millisecond; a rate taken wrongly is off by half or more.
        EXPECT_NEAR(waves.Frames(item), expected, SdlSoundDevice::Rate / 1000.0);
    }
}

TEST_F(SdlSoundTest, AWaveThatCannotBeLoadedIsNamedInTheError) {
    const uint8_t garbage[] = {'R', 'I', 'F', 'F', 1, 2, 3};
    const std::span<const uint8_t> files[] = {WaveFile(wiSha), garbage};
    try {
        SdlWaveList waves(device, files);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("wave 1: ", 0), 0u) << e.what();
        EXPECT_GT(std::string(e.what()).size(), std::string("wave 1: ").size());
    }
    // The device is still good for a list that loads.
    SdlWaveList waves(device, WaveFiles());
    waves.PlayWave(wiHit);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST(SdlSoundDeviceTest, MissingDriverLeavesTheDeviceClosedAndSilent) {
    ASSERT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    {
        AudioDriver driver("no-such-driver");
        SdlSoundDevice device;
        EXPECT_FALSE(device.Open());
        EXPECT_NE(device.Failure().find("no-such-driver"), std::string::npos) << device.Failure();

        SdlWaveList waves(device, WaveFiles());
        EXPECT_EQ(waves.Count(), 0);
        for (const int item : {-1, 0, 1, 2, WaveItemCount}) {
            waves.PlayWave(item);
            EXPECT_EQ(waves.Frames(item), 0);
        }
    }
    // Audio is left as it was found, and a later device opens.
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    AudioDriver driver("dummy");
    {
        SdlSoundDevice device;
        EXPECT_TRUE(device.Open()) << device.Failure();
        EXPECT_TRUE(device.Failure().empty());
    }
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

}  // namespace
}  // namespace quarnel
