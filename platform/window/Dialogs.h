#pragma once

// Dialog boxes: windows of the dialog class made from a template in the
// resources (or given directly), with their controls placed by dialog units
// converted through the template font's base units; modal dialogs run a
// message loop of their own until EndDialog; IsDialogMessage gives a
// modeless dialog the keyboard interface (Tab and Shift+Tab between tab
// stops, Enter for the default button, Esc for cancel, arrows within a group)
// while honouring WM_GETDLGCODE.

#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"

inline constexpr const char* WC_DIALOG = "#32770";

HWND CreateDialogIndirectParam(HINSTANCE instance, const res::DialogTemplate* tmpl, HWND parent, DLGPROC proc,
    LPARAM param);
HWND CreateDialogParam(HINSTANCE instance, const char* templateName, HWND parent, DLGPROC proc, LPARAM param);
LONG_PTR DialogBoxIndirectParam(HINSTANCE instance, const res::DialogTemplate* tmpl, HWND parent, DLGPROC proc,
    LPARAM param);
LONG_PTR DialogBoxParam(HINSTANCE instance, const char* templateName, HWND parent, DLGPROC proc, LPARAM param);
BOOL EndDialog(HWND dialog, LONG_PTR result);
LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessage(HWND dialog, LPMSG msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
LONG GetDialogBaseUnits();
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemText(HWND dialog, int id, const char* text);
UINT GetDlgItemText(HWND dialog, int id, char* out, int max);

// The modal loop that dialog boxes and message boxes share: runs messages
// (through the message filter, then IsDialogMessage for the dialog) until
// done() answers true, keeping timers and painting of every window alive.
// Disabling the owner meanwhile is the caller's part (DialogBoxParam,
// MessageBox and CDialog::DoModal each do it around the loop).
void RunModalLoop(HWND dialog, bool (*done)(HWND));
