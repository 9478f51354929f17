#include "tools/play/Player.h"

#include "app/InkveilApp.h"
#include "camera/LatestFrame.h"
#include "camera/VideoDlg.h"
#include "platform/headless/Driver.h"
#include "tools/play/Checks.h"
#include "tools/play/Windows.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <thread>

namespace play {

namespace {

using Ev = platform::InputEvent;

// Virtual time moves on in steps no longer than one repaint, the cameras'
// frames for each step made before it.
constexpr int kSleepChunkMs = 20;
// How long expect exit lets the program take to end by itself.
constexpr int kExitWaitMs = 5000;
// How long, in real time, a camera's thread may take to deliver a frame.
constexpr auto kFirstFrameWait = std::chrono::seconds(5);

int ButtonOf(const Command& c) { return c.button == 3 ? Ev::Right : Ev::Left; }

bool HasFrame()
{
    auto lock = g_latestFrame.Lock();
    return g_latestFrame.pFrame != nullptr;
}

std::uint64_t FrameSerial()
{
    auto lock = g_latestFrame.Lock();
    return g_latestFrame.nSerial;
}

// Waits in real time, briefly, while the camera's thread works.
bool WaitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + kFirstFrameWait;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return true;
}

CVideoDlg* MainWindow()
{
    CInkveilApp* app = InkveilApp();
    return app ? app->m_pMainDlg : nullptr;
}

} // namespace

Player::Player(const Script& script, PlayOptions options)
    : script_(script)
    , options_(std::move(options))
    , answers_(options_.outDir)
{
}

Player::~Player() = default;

int Player::Run()
{
    ScriptError error;
    if (!cameras_.Prepare(script_, options_.scriptDir, error)) {
        failureLine_ = error.line;
        failure_ = error.message;
        return 2;
    }
    driver_ = std::make_unique<headless::Driver>(script_.width, script_.height, script_.bitsPerPixel);
    cameras_.SetTime(driver_->screen().Now());
    v4l2::ScopedDeviceSystem use(cameras_.System());
    g_latestFrame.ClearFrame();

    QueueStep();
    exitCode_ = AfxRunApplication();
    ended_ = true;
    const auto& commands = script_.commands;
    while (failure_.empty() && next_ < commands.size()) {
        const Command& c = commands[next_++];
        if (!PlayAfterEnd(c))
            break;
    }
    if (failure_.empty()) {
        if (const Command* unused = answers_.Unused()) {
            failureLine_ = unused->line;
            failure_ = "expected a dialog to take this answer, got none that asked for it";
        }
    }
    driver_.reset();
    return failure_.empty() ? 0 : 1;
}

void Player::QueueStep()
{
    driver_->WhenWaiting([this] { Step(); });
}

bool Player::Fail(const Command& c, std::string text)
{
    if (failure_.empty()) {
        failureLine_ = c.line;
        failure_ = std::move(text);
    }
    return false;
}

void Player::PassTime(int ms)
{
    // The frames due by the end of this time are made and published first,
    // so every repaint on the way finds them whatever the machine's speed.
    const DWORD end = driver_->screen().Now() + static_cast<DWORD>(ms);
    const std::uint64_t serial = FrameSerial();
    const std::uint64_t produced = cameras_.FramesProduced();
    cameras_.SetTime(end);
    WaitUntil([this] { return !cameras_.AnyFrameDue(); });
    if (cameras_.FramesProduced() != produced)
        WaitUntil([serial] { return FrameSerial() != serial; });
    driver_->WaitWhileWaiting(static_cast<DWORD>(ms));
}

void Player::Finish()
{
    finishing_ = true;
    PostQuitMessage(0);
}

void Player::Step()
{
    if (finishing_) {
        // The program was asked to end and waits again: ask once more, and
        // give up on a program that will not end.
        if (++finishWaits_ > 100) {
            if (!failure_.empty())
                std::fprintf(stderr, "line %d: %s\n", failureLine_, failure_.c_str());
            std::fprintf(stderr, "inkveil-play: the program does not end when asked to\n");
            std::fflush(stderr);
            std::_Exit(1);
        }
        PostQuitMessage(0);
        driver_->WaitWhileWaiting(kSleepChunkMs);
        QueueStep();
        return;
    }
    if (SettleFrames()) {
        QueueStep();
        return;
    }
    std::optional<std::string> answerFailure;
    int answerLine = 0;
    if (answers_.Apply(*driver_, answerFailure, answerLine)) {
        if (answerFailure && failure_.empty()) {
            failureLine_ = answerLine;
            failure_ = *answerFailure;
            Finish();
        }
        QueueStep();
        return;
    }
    if (sleepLeft_ > 0) {
        const int chunk = std::min(sleepLeft_, kSleepChunkMs);
        sleepLeft_ -= chunk;
        PassTime(chunk);
        QueueStep();
        return;
    }
    const auto& commands = script_.commands;
    if (next_ >= commands.size()) {
        Finish();
        QueueStep();
        return;
    }
    const Command& c = commands[next_];
    if (c.verb == Verb::ExpectExit) {
        // The program is still running: give it time to end by itself.
        if (exitWaited_ < kExitWaitMs) {
            exitWaited_ += kSleepChunkMs;
            PassTime(kSleepChunkMs);
        } else {
            Fail(c,
                "expected exit " + std::to_string(c.numbers[0]) + ", got the program still running after "
                    + std::to_string(kExitWaitMs) + " ms");
            Finish();
        }
        QueueStep();
        return;
    }
    ++next_;
    if (!Play(c))
        Finish();
    QueueStep();
}

bool Player::SettleFrames()
{
    bool has = HasFrame();
    if (!has && cameras_.AnyOpen() && !frameAbandoned_) {
        has = WaitUntil(HasFrame);
        // A camera that was opened but sends nothing is waited for once.
        frameAbandoned_ = !has;
    }
    if (!has) {
        frameShown_ = false;
        return false;
    }
    frameAbandoned_ = false;
    // The first frame of each start of the video came on the camera's own
    // thread, maybe after the view last painted: the view shows it now, so
    // that what is on the screen never depends on how fast that thread ran.
    const std::uint64_t clears = g_latestFrame.Clears();
    if (frameShown_ && clears == shownAfterClears_)
        return false;
    frameShown_ = true;
    shownAfterClears_ = clears;
    if (CVideoDlg* main = MainWindow(); main && main->m_video.m_hWnd)
        main->m_video.Invalidate(FALSE);
    return true;
}

bool Player::ClickOn(const Command& c)
{
    const std::string what = (c.verb == Verb::Hover ? "hover " : "clickon ") + std::to_string(c.numbers[0]) + " "
        + std::to_string(c.numbers[1]) + ": ";
    HWND dialog = FindDialog(c.numbers[0]);
    if (!dialog)
        return Fail(c, what + "no dialog from template " + std::to_string(c.numbers[0]) + " is open");
    if (!IsWindowVisible(dialog))
        return Fail(c, what + "dialog " + std::to_string(c.numbers[0]) + " is hidden");
    HWND control = GetDlgItem(dialog, c.numbers[1]);
    if (!control)
        return Fail(c,
            what + "dialog " + std::to_string(c.numbers[0]) + " has no control " + std::to_string(c.numbers[1]));
    if (!IsWindowVisible(control))
        return Fail(c, what + "control " + std::to_string(c.numbers[1]) + " is hidden");
    RECT r;
    GetWindowRect(control, &r);
    const POINT centre { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    if (centre.x < 0 || centre.y < 0 || centre.x >= script_.width || centre.y >= script_.height)
        return Fail(c,
            what + "the control's centre " + std::to_string(centre.x) + " " + std::to_string(centre.y)
                + " is off the screen");
    driver_->MoveTo(centre);
    if (c.verb == Verb::ClickOn) {
        driver_->Press();
        driver_->Release();
    }
    return true;
}

bool Player::Play(const Command& c)
{
    Outcome outcome;
    switch (c.verb) {
    case Verb::Start:
    case Verb::ExpectExit:
        break; // handled by Run and Step
    case Verb::Quit: {
        CVideoDlg* main = MainWindow();
        if (!main || !main->m_hWnd)
            return Fail(c, "quit: the program has no main window");
        ::PostMessage(main->m_hWnd, WM_CLOSE, 0, 0);
        break;
    }
    case Verb::MouseMove:
        driver_->MoveTo(c.numbers[0], c.numbers[1]);
        break;
    case Verb::MouseDown:
        driver_->Press(ButtonOf(c));
        break;
    case Verb::MouseUp:
        driver_->Release(ButtonOf(c));
        break;
    case Verb::Click:
        driver_->Press(ButtonOf(c));
        driver_->Release(ButtonOf(c));
        break;
    case Verb::Drag:
        driver_->Drag(POINT { c.numbers[0], c.numbers[1] }, POINT { c.numbers[2], c.numbers[3] }, c.numbers[4]);
        break;
    case Verb::Wheel:
        // One event a notch, as a wheel sends them.
        for (int i = 0; i < std::abs(c.numbers[0]); ++i)
            driver_->Wheel(c.numbers[0] > 0 ? 120 : -120);
        break;
    case Verb::Key:
        for (unsigned vk : c.keys)
            driver_->KeyDown(vk);
        for (auto it = c.keys.rbegin(); it != c.keys.rend(); ++it)
            driver_->KeyUp(*it);
        break;
    case Verb::Type:
        driver_->Type(c.text);
        break;
    case Verb::Sleep:
        sleepLeft_ = c.numbers[0];
        break;
    case Verb::ClickOn:
    case Verb::Hover:
        return ClickOn(c);
    case Verb::Answer:
        answers_.Add(c);
        break;
    case Verb::Unplug:
        cameras_.Unplug(c.text);
        break;
    case Verb::Plug:
        cameras_.Plug(c.text);
        break;
    case Verb::Stall:
        cameras_.Stall(c.text, c.numbers[0]);
        break;
    case Verb::Screenshot:
        if (!WritePng(driver_->screen().Picture(), options_.outDir / c.text))
            return Fail(c, "screenshot: can't write " + (options_.outDir / c.text).string());
        break;
    case Verb::ExpectPixel:
        outcome = CheckPixel(driver_->screen().Picture(), c);
        break;
    case Verb::ExpectFile:
        outcome = CheckFile(c, options_.outDir);
        break;
    case Verb::ExpectNoFile:
        outcome = CheckNoFile(c, options_.outDir);
        break;
    case Verb::ExpectWindow:
        outcome = CheckWindow(c);
        break;
    case Verb::ExpectSetting:
        outcome = CheckSetting(c);
        break;
    case Verb::ExpectTip:
        outcome = CheckTip(c);
        break;
    case Verb::PrintWindows:
        std::cout << "line " << c.line << ": windows, topmost first\n";
        PrintWindows(std::cout);
        std::cout.flush();
        break;
    }
    return outcome ? Fail(c, *outcome) : true;
}

bool Player::PlayAfterEnd(const Command& c)
{
    Outcome outcome;
    switch (c.verb) {
    case Verb::ExpectExit:
        if (exitCode_ != c.numbers[0])
            outcome = "expected exit " + std::to_string(c.numbers[0]) + ", got exit " + std::to_string(exitCode_);
        break;
    case Verb::ExpectFile:
        outcome = CheckFile(c, options_.outDir);
        break;
    case Verb::ExpectNoFile:
        outcome = CheckNoFile(c, options_.outDir);
        break;
    case Verb::Answer:
        answers_.Add(c);
        break;
    case Verb::Sleep:
        break; // time no longer matters
    default:
        return Fail(c, "the program has ended (exit " + std::to_string(exitCode_) + ") before this line");
    }
    return outcome ? Fail(c, *outcome) : true;
}

} // namespace play
