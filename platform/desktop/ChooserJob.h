#pragma once

// One file chooser's Save run on a thread of its own, so that the thread
// that started it can go on running its message loop. onDone runs on the
// job's thread once the answer is there (it wakes the loop); the answer is
// read after Done answers true. Destroying the job cancels the chooser and
// waits for its thread. The chooser outlives the job.

#include "platform/desktop/CancelSignal.h"
#include "platform/desktop/FileChooser.h"

#include <atomic>
#include <functional>
#include <thread>

namespace platform::desktop {

class ChooserJob {
public:
    ChooserJob(FileChooser& chooser, SaveRequest request, std::function<void()> onDone);
    ~ChooserJob();
    ChooserJob(const ChooserJob&) = delete;
    ChooserJob& operator=(const ChooserJob&) = delete;

    bool Done() const { return done_.load(std::memory_order_acquire); }
    // Asks the chooser to give up; it answers Cancelled soon after.
    void Cancel() { cancel_.Raise(); }
    // Waits for the answer (at once when Done).
    const SaveAnswer& Answer();

private:
    FileChooser& chooser_;
    SaveRequest request_;
    std::function<void()> onDone_;
    CancelSignal cancel_;
    SaveAnswer answer_;
    std::atomic<bool> done_ { false };
    std::thread thread_;
};

} // namespace platform::desktop
