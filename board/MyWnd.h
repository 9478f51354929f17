#pragma once

// The drawing board of still picture mode: a borderless popup over the whole
// screen but its top 18 pixel rows, showing a frozen picture of the screen
// taken just before it was made, so that it looks exactly like the screen it
// covers. The teacher draws on it with the palette's tools; each figure is a
// drawing object the board makes, feeds with the mouse and keeps.
//
// The board keeps no picture of its own besides the snapshot. Strokes are
// drawn straight onto the window (a XOR rubber band while the mouse moves,
// the anti-aliased rendering at release); a repaint shows the snapshot
// again. The eraser copies snapshot pixels back onto the window under the
// eraser mask's shape.
//
// The palette makes the board (constructor, CreateBoard, ShowWindow,
// SetLineType), selects its tools and destroys it; the snapshot stays the
// palette's, the board only borrows it.

#include "draw/DrawObj.h"
#include "platform/afx/Wnd.h"

#include <memory>
#include <vector>

class CMyWnd : public CWnd {
public:
    // The board's window name, and how far below the screen's top it
    // starts: client point (x, y) shows snapshot pixel (x, y + kTop).
    static constexpr const char* kWindowName = "PaintBoard";
    static constexpr int kTop = 18;
    // The eraser mask, and the cursors: a pencil while drawing, a blank one
    // while erasing (the eraser window shows instead).
    static constexpr UINT IDB_ERASER_MASK = 142;
    static constexpr UINT IDC_PENCIL = 137;
    static constexpr UINT IDC_BLANK = 156;
    // The board's commands (they name the items of its menu resource).
    static constexpr UINT ID_ERASER = 32774;
    static constexpr UINT ID_EXIT = 32775;
    static constexpr UINT ID_LINE = 32776;
    static constexpr UINT ID_RECTANGLE = 32777;
    static constexpr UINT ID_CIRCLE = 32778;
    static constexpr UINT ID_ELLIPSE = 32779;

    explicit CMyWnd(CBitmap* screenBitmap);
    ~CMyWnd() override;

    // Makes the (hidden) board window with that name and screen rectangle,
    // owned by the application's main window, its cursors and the memory DC
    // that holds the snapshot. The palette passes kWindowName and the
    // rectangle from (0, kTop) to the display's resolution.
    BOOL CreateBoard(const char* windowName, const RECT& rect, CWnd* palette);

    // The line type of figures begun from now on; also handed to the
    // current figure, though a finished one is not redrawn.
    void SetLineType(int lineType);

    void SelectPen();
    void SelectLine();
    void SelectRect();
    void SelectRectFill();
    void SelectCircle();
    void SelectCircleFill();
    void SelectEllipse();
    void SelectEllipseFill();
    void SelectEraser();
    // Hides the eraser window; the board itself stays.
    void CloseBoard();

    HCURSOR m_hPenCursor = nullptr;
    HCURSOR m_hEraserCursor = nullptr;
    int m_nLineType = 0;
    int m_bFill = 0;
    // Every figure drawn on the board, in drawing order; only grows.
    std::vector<std::unique_ptr<CDrawObj>> m_objects;
    // The figure the mouse feeds (one of m_objects), or null.
    CDrawObj* m_pCurrent = nullptr;
    int m_nTool = 0;
    CBitmap* m_pScreenBitmap;
    // Filled shapes on the board are always this colour.
    COLORREF m_crFill = RGB(255, 0, 0);
    // Holds the snapshot selected: the source of every repaint and of the
    // eraser.
    CDC m_dcMem;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR id);

    DECLARE_MESSAGE_MAP()

private:
    // Sets the pencil cursor and hides the eraser window.
    void ApplyTool();
    // Puts the snapshot back under the eraser mask whose top-left corner
    // lies at screen point p, the eraser window's place.
    void EraseAt(CPoint p);
    void ShowEraserWindow(int cmd);

    // The bitmap m_dcMem held before the snapshot, put back when the board
    // goes so that the palette can free the snapshot.
    CBitmap* m_pOldMemBitmap = nullptr;
    // True from a drawing press on the board to its release: only then do
    // moves feed the current figure and the release finish it.
    bool m_bStroking = false;
};
