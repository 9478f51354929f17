#pragma once

// The eraser window: a small borderless popup shaped like the eraser mask
// (a black block on white, the white cut away), which the drawing board
// shows over the pointer while the eraser tool is active. It handles no
// messages of its own; the skin does everything.

#include "skin/BitmapDialog.h"

class EraserDlg : public CBitmapDialog {
public:
    // The dialog template of the eraser window, and the bitmap that is both
    // its skin and the board's eraser mask.
    static constexpr UINT IDD = 139;
    static constexpr UINT IDB_ERASER = 142;

    explicit EraserDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
};
