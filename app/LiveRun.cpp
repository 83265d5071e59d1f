#include "app/LiveRun.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "app/Application.h"
#include "app/Form1.h"
#include "app/KeyBindings.h"
#include "app/ReplayRecorder.h"
#include "app/ReplayThenPlayer.h"
#include "app/TickLog.h"
#include "platform/sdl/SdlErrorBox.h"
#include "platform/sdl/SdlImageList.h"
#include "platform/sdl/SdlInput.h"
#include "platform/sdl/SdlSound.h"
#include "platform/sdl/SdlSurface.h"
#include "platform/sdl/SdlWindow.h"
#include "render/PictureCatalogue.h"
#include "render/PictureItems.h"
#include "render/SoundCatalogue.h"

namespace quarnel {
namespace {

using Clock = TickTimer::Clock;

// SDL's video for the length of the run; the joystick only if it can be had.
class SdlSession {
  public:
    SdlSession() {
        SDL_SetHint(SDL_HINT_APP_NAME, "Quarnel");
        ok_ = SDL_Init(SDL_INIT_VIDEO) == 0;
        if (ok_ && ShowsNothing()) {
            ok_ = false;
            SDL_SetError("no X11 or Wayland display is available");
        }
        if (ok_) SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    }
    ~SdlSession() { SDL_Quit(); }
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;
    bool Ok() const { return ok_; }

  private:
    // With no display SDL falls back on drivers that draw into memory only: the game would
    // run on unseen. They are used only when asked for by name.
    static bool ShowsNothing() {
        const char* asked = SDL_getenv("SDL_VIDEODRIVER");
        if (asked && *asked) return false;
        const std::string_view driver = SDL_GetCurrentVideoDriver();
        return driver == "offscreen" || driver == "dummy";
    }

    bool ok_ = false;
};

// Milliseconds to wait for an event, rounded up so the wait never ends before the deadline;
// -1 waits for as long as it takes.
int WaitMilliseconds(Clock::duration untilTick) {
    if (untilTick == Clock::duration::max()) return -1;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(untilTick).count();
    return static_cast<int>(std::min<int64_t>(ms, 1000));
}

// The message loop: events between ticks, a tick when one is due and the window is active.
class MessageLoop {
  public:
    MessageLoop(TForm1& form, SdlWindow& window, SdlInput& devices, InputDevice& gameInput,
                ReplayRecorder& recorder, TickLog& log)
        : form_(form),
          window_(window),
          devices_(devices),
          gameInput_(gameInput),
          recorder_(recorder),
          log_(log) {}

    // Runs until the game has been closed and its best score saved.
    void Run() {
        for (;;) {
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event,
                                     WaitMilliseconds(form_.Timer.TimeToNext(Clock::now()))))
                do {
                    if (!Handle(event)) return;
                } while (SDL_PollEvent(&event));
            FollowFocus();
            const auto now = Clock::now();
            if (form_.Timer.Due(now)) Tick(now);
        }
    }

  private:
    // False once the program is to end.
    bool Handle(const SDL_Event& event) {
        devices_.HandleEvent(event);
        switch (event.type) {
            case SDL_QUIT:
                return !Close();
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                    window_.Redraw();
                return true;
            case SDL_KEYDOWN:
                if (IsFullScreenSwitch(event.key)) window_.ToggleFullScreen();
                // Where no window manager takes Alt+F4 for itself, it is still the close command.
                if (event.key.keysym.sym == SDLK_F4 && (event.key.keysym.mod & KMOD_ALT) &&
                    !event.key.repeat)
                    return !Close();
                return true;
            default:
                return true;
        }
    }

    // The close command: a best score that cannot be saved keeps the game going.
    bool Close() {
        if (!form_.FormClose()) return false;
        recorder_.Close();
        return true;
    }

    // Ticks run only while the window has the focus.
    void FollowFocus() {
        const bool active = (SDL_GetWindowFlags(window_.Handle()) & SDL_WINDOW_INPUT_FOCUS) != 0;
        if (active && !form_.Timer.Enabled()) form_.Timer.Start(Clock::now());
        if (!active && form_.Timer.Enabled()) {
            form_.Timer.Stop();
            recorder_.Flush();
        }
    }

    void Tick(Clock::time_point due) {
        form_.TimerTimer();
        form_.Timer.Ticked(due);
        ++ticks_;
        log_.Tick(ticks_, Clock::now());
        recorder_.Add(gameInput_.States());
        if (ticks_ % kTicksPerSecond == 0) recorder_.Flush();
    }

    static constexpr uint64_t kTicksPerSecond = std::chrono::seconds(1) / TickTimer::Interval;

    TForm1& form_;
    SdlWindow& window_;
    SdlInput& devices_;
    InputDevice& gameInput_;
    ReplayRecorder& recorder_;
    TickLog& log_;
    uint64_t ticks_ = 0;
};

}  // namespace

int RunLive(const CommandLine& options, const std::filesystem::path& highScoreFile,
            std::FILE* err) {
    TickLog log;
    std::string error;
    if (options.tickLog && !log.Open(*options.tickLog, error)) {
        std::fprintf(err, "quarnel: %s\n", error.c_str());
        return 2;
    }
    log.Start(Clock::now());
    Replay replay;
    if (options.replay && !LoadReplayFile(*options.replay, replay, error)) {
        std::fprintf(err, "%s\n", error.c_str());
        return 2;
    }
    const uint32_t seed = options.seed.value_or(replay.seed.value_or(SeedFromTimeOfDay()));

    ReplayRecorder recorder;
    if (options.record && !recorder.Open(*options.record, seed, error)) {
        std::fprintf(err, "quarnel: %s\n", error.c_str());
        return 2;
    }
    SdlSession sdl;
    if (!sdl.Ok()) {
        std::fprintf(err, "quarnel: cannot open the display: %s\n", SDL_GetError());
        return 1;
    }
    try {
        // The components, in the main form's order.
        SdlSurface surface;
        SdlWindow window(ScreenWidth, ScreenHeight, ApplicationTitle, !options.window);
        surface.SetPresenter(&window);
        log.Renderer(window.RendererDescription());
        SdlImageList pictures(surface, PictureSources());
        if (const SurfacePtr icon = pictures.CopyPattern(piBlock, 0)) window.SetIcon(*icon);
        TickTimer timer;
        SdlInput devices(KeyboardAssigns, window.Handle());
        ReplayThenPlayer input(devices, options.replay ? &replay : nullptr);
        // The device opens before the wave list, which loads its waves onto it.
        SdlSoundDevice sound;
        if (!sound.Open())
            std::fprintf(err, "quarnel: no sound, playing silently: %s\n", sound.Failure().c_str());
        const auto waveFiles = WaveFiles();
        SdlWaveList waves(sound, waveFiles);

        SdlErrorBox errors(window.Handle());
        GameState game{};
        TForm1 form(game, {surface, pictures, timer, input, waves, sound}, {window, errors},
                    highScoreFile);
        form.FormCreate(seed);
        window.Show();
        SDL_ShowCursor(SDL_DISABLE);
        MessageLoop(form, window, devices, input, recorder, log).Run();
    } catch (const std::exception& e) {
        std::fprintf(err, "quarnel: %s\n", e.what());
        return 1;
    }
    if (!recorder.Close()) {
        std::fprintf(err, "quarnel: the recording is incomplete: %s\n", recorder.Error().c_str());
        return 1;
    }
    return 0;
}

}  // namespace quarnel
