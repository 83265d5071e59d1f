#include "app/HeadlessRun.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "app/HeadlessProgram.h"
#include "app/ReplayFile.h"
#include "app/TraceLine.h"

namespace quarnel {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The trace goes to a file of its own or to standard output, in large writes.
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

    void Write(const std::string& text) {
        if (ok_ && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail();
    }

    bool Finish(std::FILE* err) {
        if (ok_ && std::fflush(file_) != 0) Fail();
        if (owned_ && std::fclose(owned_.release()) != 0 && ok_) Fail();
        if (!ok_) std::fprintf(err, "quarnel: %s: %s\n", DisplayName(), std::strerror(error_));
        return ok_;
    }

  private:
    void Fail() {
        ok_ = false;
        error_ = errno;
    }
    const char* DisplayName() const { return name_ == "-" ? "standard output" : name_.c_str(); }

    std::string name_;
    std::unique_ptr<std::FILE, FileCloser> owned_;
    std::FILE* file_ = nullptr;
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
    TraceOutput trace;
    if (options.trace && !trace.Open(*options.trace, err)) return 2;

    StderrErrorBox errors;
    HeadlessProgram program(errors, highScoreFile);
    program.form.FormCreate(options.seed.value_or(replay.seed.value_or(SeedFromTimeOfDay())));

    const uint64_t ticks = options.ticks.value_or(replay.TickCount());
    ReplayCursor cursor(replay);
    std::string lines;
    for (uint64_t n = 1; n <= ticks; ++n) {
        program.Tick(cursor.Next());
        if (options.trace) {
            AppendTraceLine(lines, n, program.caption.Text(), program.game, program.waves.Played());
            lines += '\n';
            if (lines.size() >= 1 << 16) {
                trace.Write(lines);
                lines.clear();
            }
        }
    }
    if (options.trace) trace.Write(lines);

    const bool saved = program.form.FormClose();
    const bool traced = !options.trace || trace.Finish(err);
    return saved && traced ? 0 : 1;
}

}  // namespace quarnel
