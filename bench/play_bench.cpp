// The scenario player's speed: a 60-second lesson in virtual time (the
// view's 50 Hz repaint, a 1280x720 camera at 30 frames a second, a dozen
// strokes at five-second intervals, a wheel zoom and back) played against
// the whole program on the headless screen, timed on the wall clock.
// The camera makes its frames on its own thread, by the virtual clock.

#include "app/InkveilApp.h"
#include "tools/play/Player.h"
#include "tools/play/Script.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

CInkveilApp theApp;

std::string SixtySecondLesson()
{
    std::string text = "camera \"Document Camera\" 1280x720@30,640x480 controls\nstart\n";
    for (int i = 0; i < 12; ++i) {
        const int y = 150 + i * 40;
        text += "drag 360 " + std::to_string(y) + " 1000 " + std::to_string(y + 20) + " 24\n";
        if (i == 5)
            text += "mousemove 690 380\nwheel 2\n";
        if (i == 8)
            text += "wheel -2\n";
        text += "sleep 5000\n";
    }
    text += "expect pixel 100 400 646464\nquit\nexpect exit 0\n";
    return text;
}

void BM_SixtySecondLesson(benchmark::State& state)
{
    play::Script script;
    play::ScriptError error;
    if (!play::ReadScript(SixtySecondLesson(), script, error)) {
        state.SkipWithError(error.message.c_str());
        return;
    }
    play::PlayOptions options;
    options.outDir = std::filesystem::temp_directory_path() / ("inkveil-play-bench-" + std::to_string(getpid()));
    std::uint64_t frames = 0;
    for (auto _ : state) {
        play::Player player(script, options);
        if (player.Run() != 0) {
            state.SkipWithError(player.Failure().c_str());
            return;
        }
        frames = player.CameraFrames();
    }
    state.counters["virtual_s"] = 60;
    state.counters["camera_frames"] = static_cast<double>(frames);
}

// CPU time counts both threads, the program's and the camera's.
BENCHMARK(BM_SixtySecondLesson)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(3);

} // namespace
