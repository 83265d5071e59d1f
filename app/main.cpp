#include <cstdio>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/HeadlessRun.h"
#include "app/HighScoreFile.h"
#include "app/LiveRun.h"

int main(int argc, char** argv) {
    using namespace quarnel;
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine options;
    std::string error;
    if (!ParseCommandLine(args, options, error)) {
        std::fprintf(stderr, "quarnel: %s\nTry 'quarnel --help' for more information.\n",
                     error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", ApplicationTitle);
        return 0;
    }
    if (options.headless) return RunHeadless(options, HighScoreFileName, stderr);
    return RunLive(options, HighScoreFileName, stderr);
}
