#include "app/HeadlessRun.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/DrawTrace.h"
#include "app/HeadlessProgram.h"
#include "app/ReplayFile.h"
#include "app/TraceLine.h"
#include "platform/sdl/FrameFiles.h"
#include "platform/sdl/SdlImageList.h"
#include "platform/sdl/SdlSurface.h"
#include "render/PictureCatalogue.h"

namespace quarnel {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The trace goes to a file of its own or to standard output, gathered into large writes.
// Before Open it is off, and Add and Finish do nothing.
class TraceOutput {
  public:
    bool Open(const std::string& name, std::FILE* err) {
        name_ = name;
        if (name == "-") {
            file_ = stdout;
            return true;
        }
        owned_.reset(std::fopen(name.c_str(), "wb"));
        file_ = owned_.get();
        if (!file_) std::fprintf(err, "quarnel: %s: %s\n", name.c_str(), std::strerror(errno));
        return file_ != nullptr;
    }

    bool On() const { return file_ != nullptr; }

    // `draws` is the frame's draw list, or nothing when the trace leaves it out.
    void Add(uint64_t tick, const HeadlessProgram& program, std::optional<std::string_view> draws) {
        if (!On()) return;
        AppendTraceLine(buffer_, tick, program.caption.Text(), program.game, program.waves.Played(),
                        draws);
        buffer_ += '\n';
        if (buffer_.size() >= kBlockSize) Flush();
    }

    // Writes out what is left; false, with the reason on `err`, when any write failed.
    bool Finish(std::FILE* err) {
        if (!On()) return true;
        Flush();
        if (ok_ && std::fflush(file_) != 0) Fail();
        if (owned_ && std::fclose(owned_.release()) != 0 && ok_) Fail();
        if (!ok_) std::fprintf(err, "quarnel: %s: %s\n", DisplayName(), std::strerror(error_));
        return ok_;
    }

  private:
    static constexpr size_t kBlockSize = 1 << 16;

    void Flush() {
        if (ok_ && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) Fail();
        buffer_.clear();
    }
    void Fail() {
        ok_ = false;
        error_ = errno;
    }
    const char* DisplayName() const { return name_ == "-" ? "standard output" : name_.c_str(); }

    std::string name_;
    std::unique_ptr<std::FILE, FileCloser> owned_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool ok_ = true;
    int error_ = 0;
};

}  // namespace

int RunHeadless(const CommandLine& options, const std::filesystem::path& highScoreFile,
                std::FILE* err) {
    Replay replay;
    std::string error;
    if (!LoadReplayFile(*options.replay, replay, error)) {
        std::fprintf(err, "%s\n", error.c_str());
        return 2;
    }
    std::optional<FrameFiles> frames;
    if (options.frames) {
        std::error_code failed;
        std::filesystem::create_directories(*options.frames, failed);
        if (failed) {
            std::fprintf(err, "quarnel: %s: %s\n", options.frames->c_str(),
                         failed.message().c_str());
            return 2;
        }
        frames.emplace(*options.frames);
    }
    TraceOutput trace;
    if (options.trace && !trace.Open(*options.trace, err)) return 2;

    // The frames are composed headless exactly as on screen; only the flip shows nothing.
    std::optional<SdlSurface> surface;
    std::optional<SdlImageList> pictures;
    try {
        surface.emplace();
        pictures.emplace(*surface, PictureSources());
    } catch (const std::exception& e) {
        std::fprintf(err, "quarnel: %s\n", e.what());
        return 1;
    }
    if (frames) surface->SetPresenter(&*frames);
    DrawTrace drawn(*pictures);
    drawn.SetOn(options.traceDraws);

    StderrErrorBox errors;
    HeadlessProgram program(*surface, drawn, errors, highScoreFile);
    program.form.FormCreate(options.seed.value_or(replay.seed.value_or(SeedFromTimeOfDay())));

    const uint64_t ticks = options.ticks.value_or(replay.TickCount());
    ReplayCursor cursor(replay);
    for (uint64_t n = 1; n <= ticks; ++n) {
        drawn.Clear();
        program.Tick(cursor.Next());
        trace.Add(
            n, program,
            options.traceDraws ? std::optional<std::string_view>(drawn.Draws()) : std::nullopt);
    }

    const bool saved = program.form.FormClose();
    const bool traced = trace.Finish(err);
    const bool framesWritten = !frames || !frames->Failed();
    if (!framesWritten) std::fprintf(err, "quarnel: %s\n", frames->Error().c_str());
    return saved && traced && framesWritten ? 0 : 1;
}

}  // namespace quarnel
