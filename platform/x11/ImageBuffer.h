#pragma once

// An X image that pixels pass through on their way to or from the server:
// in memory shared with the server (MIT-SHM) where the server offers it and
// runs on this machine, so that a put or a get copies the pixels once; in
// ordinary memory, sent through the connection, otherwise. It grows to the
// largest size asked for and is reused.

#include "platform/gdi/Surface.h"
#include "platform/x11/PixelFormat.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>
#include <optional>

namespace platform::x11 {

class ImageBuffer {
public:
    ImageBuffer(Display* display, Visual* visual, int depth, bool tryShared);
    ~ImageBuffer();
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    // Makes room for at least width x height pixels, or exactly that many
    // when exact (a get fills the whole image). Answers false when no image
    // can be made.
    bool Reserve(int width, int height, bool exact = false);
    bool Shared() const { return shared_; }
    const PixelFormat* Format() const { return format_ ? &*format_ : nullptr; }

    // Copies the part area of pixels into the image's top-left corner.
    // Waits first until the server has read the image's last put.
    void Fill(const gdi::Surface& pixels, const RECT& area);
    // Puts the image's top-left width x height on the drawable at (x, y).
    void Put(Drawable drawable, GC gc, int width, int height, int x, int y);
    // Reads the drawable's area at (x, y), the image's size, into the
    // image and from there into out (which must be that size). Answers
    // false when the server refuses.
    bool Get(Drawable drawable, int x, int y, gdi::Surface& out);
    // Waits until the server has read the image's last put.
    void Settle();

private:
    bool MakeShared(int width, int height);
    bool MakePlain(int width, int height);
    void Release();

    Display* display_;
    Visual* visual_;
    int depth_;
    bool shared_;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_ {};
    bool putPending_ = false;
    std::optional<PixelFormat> format_;
};

} // namespace platform::x11
