#pragma once

// The toolbar and the adjustment panel do all their camera work through the
// application's main window, the video window, and its video view. They
// reach it anew on every use, since the view's capture graph is replaced
// when another device is chosen.

class CVideoDlg;
class CVideoStatic;

// The main window as the video window, or null when the application has
// no main window (yet, or any more) or it is another kind of window.
CVideoDlg* MainVideoDlg();
// Its video view once the view's window exists, else null.
CVideoStatic* MainVideoView();
