#include "platform/x11/ImageBuffer.h"

#include "platform/x11/ErrorTrap.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>

namespace platform::x11 {

ImageBuffer::ImageBuffer(Display* display, Visual* visual, int depth, bool tryShared)
    : display_(display)
    , visual_(visual)
    , depth_(depth)
    , shared_(tryShared && XShmQueryExtension(display))
{
}

ImageBuffer::~ImageBuffer() { Release(); }

void ImageBuffer::Release()
{
    if (!image_)
        return;
    if (shared_) {
        Settle();
        XShmDetach(display_, &segment_);
        XSync(display_, False);
        shmdt(segment_.shmaddr);
        // The memory is the segment's, not the image's.
        image_->data = nullptr;
    }
    XDestroyImage(image_);
    image_ = nullptr;
    format_.reset();
}

bool ImageBuffer::Reserve(int width, int height, bool exact)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (image_) {
        if (exact ? image_->width == width && image_->height == height
                  : image_->width >= width && image_->height >= height)
            return true;
        if (!exact) {
            width = std::max(width, image_->width);
            height = std::max(height, image_->height);
        }
    }
    Release();
    if (shared_ && MakeShared(width, height))
        return true;
    // Shared memory failed (a server on another machine, say): from now on
    // the pixels go through the connection.
    shared_ = false;
    return MakePlain(width, height);
}

bool ImageBuffer::MakeShared(int width, int height)
{
    XImage* image = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr, &segment_,
        static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image)
        return false;
    std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height);
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
    if (segment_.shmaddr == reinterpret_cast<char*>(-1)) {
        shmctl(segment_.shmid, IPC_RMID, nullptr);
        XDestroyImage(image);
        return false;
    }
    image->data = segment_.shmaddr;
    segment_.readOnly = False;
    ErrorTrap trap(display_);
    XShmAttach(display_, &segment_);
    bool attached = !trap.Failed();
    // Marked for removal now, the segment goes when both sides let go of
    // it, even if this process ends abruptly.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(segment_.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return false;
    }
    image_ = image;
    format_.emplace(*image_);
    return true;
}

bool ImageBuffer::MakePlain(int width, int height)
{
    XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
        static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!image)
        return false;
    image->data = static_cast<char*>(
        std::malloc(static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height)));
    if (!image->data) {
        XDestroyImage(image);
        return false;
    }
    image_ = image;
    format_.emplace(*image_);
    return true;
}

void ImageBuffer::Settle()
{
    if (!putPending_)
        return;
    XSync(display_, False);
    putPending_ = false;
}

void ImageBuffer::Fill(const gdi::Surface& pixels, const RECT& area)
{
    Settle();
    int width = area.right - area.left;
    for (int y = area.top; y < area.bottom; ++y) {
        char* row = image_->data + static_cast<std::ptrdiff_t>(y - area.top) * image_->bytes_per_line;
        format_->ToImage(pixels.Row(y) + area.left, width, row);
    }
}

void ImageBuffer::Put(Drawable drawable, GC gc, int width, int height, int x, int y)
{
    if (shared_) {
        XShmPutImage(display_, drawable, gc, image_, 0, 0, x, y, static_cast<unsigned>(width),
            static_cast<unsigned>(height), False);
        putPending_ = true;
    } else {
        XPutImage(display_, drawable, gc, image_, 0, 0, x, y, static_cast<unsigned>(width),
            static_cast<unsigned>(height));
    }
}

bool ImageBuffer::Get(Drawable drawable, int x, int y, gdi::Surface& out)
{
    Settle();
    ErrorTrap trap(display_);
    bool ok = shared_ ? XShmGetImage(display_, drawable, image_, x, y, AllPlanes) != 0
                      : XGetSubImage(display_, drawable, x, y, static_cast<unsigned>(image_->width),
                            static_cast<unsigned>(image_->height), AllPlanes, ZPixmap, image_, 0, 0)
            != nullptr;
    if (trap.Failed() || !ok)
        return false;
    int rows = std::min(image_->height, out.Height());
    int cols = std::min(image_->width, out.Width());
    for (int row = 0; row < rows; ++row)
        format_->FromImage(image_->data + static_cast<std::ptrdiff_t>(row) * image_->bytes_per_line, cols,
            out.Row(row));
    return true;
}

} // namespace platform::x11
