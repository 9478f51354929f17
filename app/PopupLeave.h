#pragma once

// What the palette's two popups share: the rule by which the pointer's
// leaving closes them, and the request to close that they post to the
// palette.
//
// A popup stays open until the pointer has once been inside the ellipse
// inscribed in its window rectangle; after that, every message the popup
// (or one of its controls) receives while the pointer is outside the
// ellipse asks the palette to close it. The request is posted, so the
// popup's own handler returns before the palette destroys it, and it may be
// posted several times; the palette ignores requests for a popup it no
// longer has.

class CWnd;

// Applies the leave rule for one message of popup: sets entered once the
// pointer is inside the ellipse, and asks for the popup to be closed when
// it is outside after that.
void CheckPopupLeave(CWnd* popup, int& entered);

// Posts WM_CLOSE_POPUP (wParam the popup, lParam 0) to the popup's parent
// window, the palette; to no window (a thread message nobody handles) when
// the popup has no parent.
void RequestPopupClose(CWnd* popup);
