#pragma once

// The flat GDI+ API that the program's final renderings, overlays and text
// use, over cairo: the same functions, types, enumerations and status codes
// as the original, so that code written for it reads the same here.
//
// Conventions kept from the original:
// - pixel (x, y) covers x - 0.5 ... x + 0.5 (a one-pixel line at integer y
//   inks exactly row y);
// - 32bppARGB bitmaps hold straight (not premultiplied) alpha at the API,
//   and drawing blends SourceOver;
// - a colour key compares red, green and blue only, both ends inclusive.

#include "platform/win/WinTypes.h"

#include <cstdint>

using ARGB = std::uint32_t;
using REAL = float;
using PixelFormat = INT;
using GraphicsState = UINT;

enum GpStatus {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
using Status = GpStatus;

// The enumerations callers pass in are fixed to int, so that any int a
// caller casts to one is a value of it; the functions answer values outside
// the list with InvalidParameter.
enum GpUnit : int {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6,
};
using Unit = GpUnit;

enum SmoothingMode : int {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
};

enum TextRenderingHint : int {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5,
};

enum LineCap : int {
    LineCapFlat = 0,
    LineCapSquare = 1,
    LineCapRound = 2,
    LineCapTriangle = 3,
    LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11,
    LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14,
    LineCapCustom = 0xff,
};
using GpLineCap = LineCap;

enum LineJoin : int {
    LineJoinMiter = 0,
    LineJoinBevel = 1,
    LineJoinRound = 2,
    LineJoinMiterClipped = 3,
};
using GpLineJoin = LineJoin;

enum DashStyle : int {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
    DashStyleCustom = 5,
};
using GpDashStyle = DashStyle;

enum RotateFlipType : int {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
};

enum ColorAdjustType : int {
    ColorAdjustTypeDefault = 0,
    ColorAdjustTypeBitmap = 1,
    ColorAdjustTypeBrush = 2,
    ColorAdjustTypePen = 3,
    ColorAdjustTypeText = 4,
};

enum StringAlignment : int {
    StringAlignmentNear = 0,
    StringAlignmentCenter = 1,
    StringAlignmentFar = 2,
};

enum FontStyle : int {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8,
};

enum ImageLockMode : int {
    ImageLockModeRead = 1,
    ImageLockModeWrite = 2,
    ImageLockModeUserInputBuf = 4,
};

inline constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
inline constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
inline constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;
inline constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
using LANGID = WORD;
inline constexpr LANGID LANG_NEUTRAL = 0;

struct GpPoint {
    INT X;
    INT Y;
};
struct GpPointF {
    REAL X;
    REAL Y;
};
struct GpRect {
    INT X;
    INT Y;
    INT Width;
    INT Height;
};
struct RectF {
    REAL X;
    REAL Y;
    REAL Width;
    REAL Height;
};
using GpRectF = RectF;

struct BitmapData {
    UINT Width;
    UINT Height;
    INT Stride;
    INT PixelFormat; // a PixelFormat value
    void* Scan0;
    UINT_PTR Reserved;
};

struct GdiplusStartupInput {
    UINT GdiplusVersion = 1;
    void* DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};
struct GdiplusStartupOutput {
    void* NotificationHook = nullptr;
    void* NotificationUnhook = nullptr;
};

// The objects behind the flat API's pointers, opaque here as in the
// original's C header: their insides are the library's own. As there, a
// solid fill is a brush and a bitmap an image, so that a GpSolidFill*
// passes as a GpBrush* and a GpBitmap* as a GpImage* without a cast.
struct GpGraphics;
struct GpPen;
struct GpBrush;
using GpSolidFill = GpBrush;
struct GpImage;
using GpBitmap = GpImage;
struct GpImageAttributes;
struct GpFontFamily;
struct GpFont;
struct GpStringFormat;
struct GpFontCollection;

// Start-up and shutdown. Every other call answers GdiplusNotInitialized
// outside them.
GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

// Graphics.
GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode);
GpStatus GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint hint);
GpStatus GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* hint);
GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color);

// Pens and brushes.
GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipDeletePen(GpPen* pen);
GpStatus GdipClonePen(GpPen* pen, GpPen** clone);
GpStatus GdipGetPenColor(GpPen* pen, ARGB* color);
GpStatus GdipGetPenWidth(GpPen* pen, REAL* width);
GpStatus GdipSetPenDashArray(GpPen* pen, const REAL* dashes, INT count);
GpStatus GdipGetPenDashCount(GpPen* pen, INT* count);
GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* style);
GpStatus GdipSetPenStartCap(GpPen* pen, GpLineCap cap);
GpStatus GdipSetPenEndCap(GpPen* pen, GpLineCap cap);
GpStatus GdipGetPenStartCap(GpPen* pen, GpLineCap* cap);
GpStatus GdipGetPenEndCap(GpPen* pen, GpLineCap* cap);
GpStatus GdipSetPenLineJoin(GpPen* pen, GpLineJoin join);
GpStatus GdipGetPenLineJoin(GpPen* pen, GpLineJoin* join);
GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
GpStatus GdipDeleteBrush(GpBrush* brush);

// Figures with integer coordinates.
GpStatus GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2);
GpStatus GdipDrawCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
GpStatus GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
    REAL sweepAngle);
GpStatus GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
GpStatus GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);

// Bitmaps.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
    GpBitmap** bitmap);
GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color);
GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data);
GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data);
GpStatus GdipImageRotateFlip(GpImage* image, RotateFlipType type);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
GpStatus GdipCloneImage(GpImage* image, GpImage** clone);
GpStatus GdipDisposeImage(GpImage* image);

// Drawing images.
GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes);
GpStatus GdipSetImageAttributesColorKeys(GpImageAttributes* attributes, ColorAdjustType type, BOOL enable, ARGB low,
    ARGB high);
GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes);
GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstX, INT dstY, INT dstWidth, INT dstHeight,
    INT srcX, INT srcY, INT srcWidth, INT srcHeight, GpUnit srcUnit, const GpImageAttributes* attributes,
    void* callback, void* callbackData);
GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y);

// Text.
GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* collection, GpFontFamily** family);
GpStatus GdipDeleteFontFamily(GpFontFamily* family);
GpStatus GdipGetFamilyName(const GpFontFamily* family, WCHAR name[32], LANGID language);
GpStatus GdipCreateFont(const GpFontFamily* family, REAL size, INT style, Unit unit, GpFont** font);
GpStatus GdipDeleteFont(GpFont* font);
GpStatus GdipCreateStringFormat(INT flags, LANGID language, GpStringFormat** format);
GpStatus GdipDeleteStringFormat(GpStringFormat* format);
GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
GpStatus GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font, const RectF* layout,
    const GpStringFormat* format, const GpBrush* brush);
GpStatus GdipMeasureString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font, const RectF* layout,
    const GpStringFormat* format, RectF* bounds, INT* codepointsFitted, INT* linesFilled);
