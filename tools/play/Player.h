#pragma once

// The scenario player: runs the program itself (the application object's
// InitInstance with every window it makes) on the headless screen with
// emulated cameras and the virtual clock, and plays a script's commands
// against it one at a time, each when the program has finished with the
// last and waits for input. Time moves only when the script sleeps.
//
// The caller owns the one application object, as the program's entry does.

#include "tools/play/Answers.h"
#include "tools/play/Cameras.h"
#include "tools/play/Script.h"

#include <filesystem>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace headless {
class Driver;
}

namespace play {

struct PlayOptions {
    std::filesystem::path outDir = ".";
    // Where the script's own files (camera pictures) are found.
    std::filesystem::path scriptDir = ".";
};

class Player {
public:
    Player(const Script& script, PlayOptions options);
    ~Player();

    // Plays the script once. 0 when every expectation held; 1 at the
    // first that failed or a command that could not be played; 2 when the
    // set-up could not be made (nothing ran). The reason is in FailureLine
    // and Failure.
    int Run();
    int FailureLine() const { return failureLine_; }
    // Frames the cameras made during the play.
    std::uint64_t CameraFrames() const { return cameras_.FramesProduced(); }
    const std::string& Failure() const { return failure_; }

private:
    void QueueStep();
    void Step();
    // Plays one command while the program runs; false when it failed.
    bool Play(const Command& c);
    // Plays one command once the program has ended.
    bool PlayAfterEnd(const Command& c);
    bool Fail(const Command& c, std::string text);
    // Waits (in real time) for the first frame of a camera that was
    // opened, and has the view show each first frame; answers whether the
    // view was asked to repaint.
    bool SettleFrames();
    // Lets virtual time pass for the program and its cameras.
    void PassTime(int ms);
    void Finish();
    bool ClickOn(const Command& c);

    const Script& script_;
    PlayOptions options_;
    Cameras cameras_;
    Answers answers_;
    std::unique_ptr<headless::Driver> driver_;

    std::size_t next_ = 1; // the command after start
    int sleepLeft_ = 0;
    int exitWaited_ = 0;
    bool finishing_ = false;
    int finishWaits_ = 0;
    bool frameAbandoned_ = false;
    bool frameShown_ = false;
    std::uint64_t shownAfterClears_ = 0;
    bool ended_ = false;
    int exitCode_ = 0;
    int failureLine_ = 0;
    std::string failure_;
};

} // namespace play
