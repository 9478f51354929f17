#pragma once

// A GDI+ graphics made for one final rendering and deleted when it goes out
// of scope. A graphics that could not be made is null, and the rendering
// then draws nothing.

#include "platform/afx/Dc.h"
#include "platform/gdiplus/GdiPlusFlat.h"

class FinalGraphics {
public:
    static FinalGraphics OnDc(CDC* dc, SmoothingMode mode);
    static FinalGraphics OnImage(GpImage* image, SmoothingMode mode);

    FinalGraphics(FinalGraphics&& other) noexcept
        : graphics_(other.graphics_)
    {
        other.graphics_ = nullptr;
    }
    FinalGraphics(const FinalGraphics&) = delete;
    FinalGraphics& operator=(const FinalGraphics&) = delete;
    FinalGraphics& operator=(FinalGraphics&&) = delete;
    ~FinalGraphics();

    GpGraphics* get() const { return graphics_; }
    explicit operator bool() const { return graphics_ != nullptr; }

private:
    explicit FinalGraphics(GpGraphics* g, SmoothingMode mode);
    GpGraphics* graphics_;
};
