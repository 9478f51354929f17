#include "platform/desktop/ChooserJob.h"

namespace platform::desktop {

ChooserJob::ChooserJob(FileChooser& chooser, SaveRequest request, std::function<void()> onDone)
    : chooser_(chooser)
    , request_(std::move(request))
    , onDone_(std::move(onDone))
{
    // The thread starts last, once every member it reads is in place.
    thread_ = std::thread([this] {
        answer_ = chooser_.Save(request_, cancel_);
        done_.store(true, std::memory_order_release);
        if (onDone_)
            onDone_();
    });
}

ChooserJob::~ChooserJob()
{
    if (thread_.joinable()) {
        if (!Done())
            Cancel();
        thread_.join();
    }
}

const SaveAnswer& ChooserJob::Answer()
{
    if (thread_.joinable())
        thread_.join();
    return answer_;
}

} // namespace platform::desktop
