#pragma once

// The process-wide record through which frames pass from the grabber
// callback (streaming thread) to the video view (user-interface thread).
//
// The record owns the pixels it publishes: each frame is copied into the
// back one of two buffers, and only the swap that makes it the front one
// takes the lock. The view holds the lock (Lock()) while it reads pFrame,
// nFrameLen and bih, so it always sees one whole, unchanging frame, and
// tearing down a graph never frees what a paint is reading.

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <mutex>
#include <vector>

struct LatestFrame {
    std::int32_t nFrameLen = 0; // byte length of the latest frame
    BYTE* pFrame = nullptr; // the latest frame, 24-bit rows as the header says; null = none
    BYTE* pWorkBuffer = nullptr; // the running capture object's frame buffer
    BITMAPINFOHEADER bih {}; // describes pFrame
    // Counts every change of the three above (each frame published, each
    // clearing), so that a reader can tell whether it has shown the latest.
    std::uint64_t nSerial = 0;

    // Streaming thread: copies a frame in and makes it the latest.
    void Publish(const BYTE* pixels, std::int32_t length, std::int32_t width, std::int32_t height);
    // Forgets the frame (the view then paints no video until the next one).
    void ClearFrame();
    // How many times the frame was forgotten: an observer that has seen a
    // frame knows by this whether the frames since come from a new start.
    std::uint64_t Clears();
    // Held by readers of pFrame, nFrameLen and bih.
    std::unique_lock<std::mutex> Lock() { return std::unique_lock(m_lock); }

private:
    std::mutex m_lock;
    std::vector<BYTE> m_buffers[2];
    int m_front = 0;
    std::uint64_t m_clears = 0;
};

extern LatestFrame g_latestFrame;
