#pragma once

// The key colour of the video view's layers. The overlay and the blink
// layer are laid over the picture through GDI+ image attributes whose colour
// key runs from this colour to this colour, so pixels of exactly this
// colour never cover the video.

#include "platform/gdiplus/GdiPlusFlat.h"

// Blue 253, red 0, green 0, alpha 0.
inline constexpr ARGB kOverlayKeyColor = 0x000000FD;

// Draws the whole image into (0, 0, width, height) of the graphics, in
// pixel units, leaving out the key colour. Answers the GDI+ status.
GpStatus DrawThroughOverlayKey(GpGraphics* graphics, GpImage* image, int width, int height);
