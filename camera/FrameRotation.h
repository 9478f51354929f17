#pragma once

// Turning camera frames by quarter turns.
//
// The video view no longer turns frames into a work buffer: it turns and
// stretches them in one pass (CTurnedStretch, which gives the same pixels).
// RotateFrame stays as the plain statement of where each pixel goes, which
// the one-pass turn is checked against.
//
// A frame is a 24-bit device-independent bitmap: pixels of three bytes
// (blue, green, red), each memory row padded to a multiple of four bytes,
// rows in the order the header's height gives (bottom-up when positive).
// The turned frame is a bitmap of the same kind, so that it can be
// stretched onto the screen as it is.
//
// A memory row r holds the pixels x = 0 ... w - 1 of the frame. Turning
// moves the pixel at column x of memory row r to:
//   90:  memory row w - 1 - x, column r          (w and h exchange)
//   180: memory row h - 1 - r, column w - 1 - x
//   270: memory row x, column h - 1 - r          (w and h exchange)
// For bottom-up frames 90 is a quarter turn clockwise on the screen.

#include "platform/win/WinTypes.h"

#include <cstddef>

// The angle brought into 0 ... 359: -90 becomes 270, 450 becomes 90.
int NormalizeAngle(int angle);
// Quarter turns (0 ... 3) of an angle, counted clockwise.
int QuarterTurns(int angle);
// Whether angle / 90, truncated and without its sign, is odd: the picture
// then stands on its side and its width and height are exchanged.
bool IsOddQuarterTurn(int angle);

// The header of a 24-bit bitmap of that size (a negative height: top-down).
BITMAPINFOHEADER DibHeader24(int width, int height);
// Bytes in one memory row of a 24-bit bitmap of that width.
std::size_t DibRowBytes24(int width);
// Bytes a whole 24-bit bitmap with this header takes.
std::size_t DibBytes24(const BITMAPINFOHEADER& header);

// The header of the frame turned by the angle: width and height exchanged
// for an odd number of quarter turns, the height keeping its sign so that
// the rows run the same way.
BITMAPINFOHEADER TurnedHeader(const BITMAPINFOHEADER& header, int angle);

// What the view stretches onto the screen: a 24-bit bitmap.
struct DisplayFrame {
    const BYTE* pixels = nullptr; // null: nothing to show
    BITMAPINFO info {};
};

// Turns a frame by the angle. At 0 the frame's own pixels are shown, not
// copied; other angles write into work, which must hold workSize bytes.
// Only the memory rows and columns of the turned frame inside region are
// written when one is given (see StretchedRegion); the rest of work is left
// as it was. Answers no pixels when the frame is not a 24-bit bitmap as
// long as its header says, or when work is too small for the turned frame.
DisplayFrame RotateFrame(const BYTE* frame, std::size_t frameLen, const BITMAPINFOHEADER& header, int angle, BYTE* work,
    std::size_t workSize, const RECT* region = nullptr);

// The memory rows and columns of a bitmap (header) that a nearest-neighbour
// stretch onto a target of this size reads for the target pixels inside
// visible (target coordinates, top-down). Rows are memory rows. Widened by
// a pixel on each side, so that the stretch's rounding never reaches past
// it, and kept inside the bitmap.
RECT StretchedRegion(const BITMAPINFOHEADER& header, SIZE target, const RECT& visible);
