#pragma once

// The program's resources, embedded in the executable: dialog templates,
// bitmaps (by id and by name), cursors, icons and strings. The program's
// resource files register themselves here at start-up; the window system's
// loading functions (LoadBitmap, LoadCursor, LoadString, dialog creation)
// read from here.

#include "platform/window/WinUser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace res {

// Pixels as 0x00RRGGBB, rows top-down; bitsPerPixel is the depth of the
// file it came from (1, 4, 8, 24 or 32).
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<std::uint32_t> pixels;
};

// A cursor or an icon: straight-alpha ARGB pixels, rows top-down.
struct Pointer {
    int width = 0;
    int height = 0;
    POINT hotspot { 0, 0 };
    std::vector<std::uint32_t> argb;
};

struct DialogItem {
    std::string windowClass; // "BUTTON", "STATIC", "COMBOBOX", "EDIT", "LISTBOX", or a registered class
    std::string text;
    WORD id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0; // dialog units
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0; // dialog units
    std::string caption;
    std::string fontFace; // with DS_SETFONT
    WORD pointSize = 0;
    std::vector<DialogItem> items;
};

// A resource name is a number or a string.
struct Name {
    UINT id = 0;
    std::string text;
    static Name From(const char* lpName);
    bool operator<(const Name& o) const { return id != o.id ? id < o.id : text < o.text; }
    bool operator==(const Name& o) const { return id == o.id && text == o.text; }
};

void AddBitmap(Name name, Bitmap bitmap);
void AddCursor(Name name, Pointer cursor);
void AddIcon(Name name, Pointer icon);
void AddDialog(Name name, DialogTemplate dialog);
void AddString(UINT id, std::string text);

const Bitmap* FindBitmap(const Name& name);
const Pointer* FindCursor(const Name& name);
const Pointer* FindIcon(const Name& name);
const DialogTemplate* FindDialog(const Name& name);
const std::string* FindString(UINT id);

} // namespace res
