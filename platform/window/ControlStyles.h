#pragma once

// Styles of the system's control classes (buttons, static controls and
// combo boxes), with the values of the desktop API. They share the low word
// of a control's style with each other's meanings, so a control reads only
// the styles of its own class; the type masks pick out the kind of control.

#include "platform/win/WinTypes.h"

// Buttons ("BUTTON").
inline constexpr DWORD BS_PUSHBUTTON = 0x00000000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x00000001;
inline constexpr DWORD BS_CHECKBOX = 0x00000002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x00000003;
inline constexpr DWORD BS_RADIOBUTTON = 0x00000004;
inline constexpr DWORD BS_GROUPBOX = 0x00000007;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x00000009;
inline constexpr DWORD BS_OWNERDRAW = 0x0000000B;
inline constexpr DWORD BS_TYPEMASK = 0x0000000F;
inline constexpr DWORD BS_BITMAP = 0x00000080;
inline constexpr DWORD BS_NOTIFY = 0x00004000;

// Static controls ("STATIC").
inline constexpr DWORD SS_LEFT = 0x00000000;
inline constexpr DWORD SS_CENTER = 0x00000001;
inline constexpr DWORD SS_RIGHT = 0x00000002;
inline constexpr DWORD SS_ICON = 0x00000003;
inline constexpr DWORD SS_BLACKRECT = 0x00000004;
inline constexpr DWORD SS_GRAYRECT = 0x00000005;
inline constexpr DWORD SS_WHITERECT = 0x00000006;
inline constexpr DWORD SS_OWNERDRAW = 0x0000000D;
inline constexpr DWORD SS_BITMAP = 0x0000000E;
inline constexpr DWORD SS_TYPEMASK = 0x0000001F;
inline constexpr DWORD SS_NOTIFY = 0x00000100;
inline constexpr DWORD SS_CENTERIMAGE = 0x00000200;

// Combo boxes ("COMBOBOX").
inline constexpr DWORD CBS_SIMPLE = 0x00000001;
inline constexpr DWORD CBS_DROPDOWN = 0x00000002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x00000003;
inline constexpr DWORD CBS_OWNERDRAWFIXED = 0x00000010;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x00000040;
inline constexpr DWORD CBS_SORT = 0x00000100;
inline constexpr DWORD CBS_HASSTRINGS = 0x00000200;
