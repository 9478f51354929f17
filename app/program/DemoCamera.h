#pragma once

// An emulated document camera for demonstrations: a sheet of ruled paper
// with a few lines of "writing" and a coloured mark that moves across it,
// so that a viewer sees at once that the picture is live. It offers two
// YUYV sizes and the three picture controls, like a small UVC camera.

#include "platform/v4l2/EmulatedDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace demo {

struct Yuv {
    std::uint8_t y, u, v;
};

// BT.601 studio range, as capture converters expect.
Yuv FromRgb(int r, int g, int b);

// Fills a YUYV frame of the format with the ruled page; with movingMark the
// mark stands where frame n puts it, without it every frame is the same.
void DrawPage(const v4l2::CurrentFormat& f, std::uint64_t n, std::uint8_t* out, bool movingMark);

// Brightness, contrast and saturation with the ranges of a small UVC camera.
std::vector<v4l2::EmulatedControl> PictureControls();

std::shared_ptr<v4l2::EmulatedDevice> MakeDemoCamera();

// The page of frame n at a size as an MJPG frame (TurboJPEG, 4:2:2).
std::vector<std::uint8_t> PageJpeg(std::uint32_t width, std::uint32_t height, std::uint64_t n, bool movingMark,
    int quality);

// For measuring the whole program: the same page from a 1920×1080 camera
// at 30 frames a second, YUYV or MJPG only. Its two frames (the mark in two
// places) are made once at start, so that serving one costs a copy.
std::shared_ptr<v4l2::EmulatedDevice> MakeBenchCamera(bool mjpg);

} // namespace demo
