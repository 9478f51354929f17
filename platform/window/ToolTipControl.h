#pragma once

// The "tooltips_class32" class: a top-most, non-activating popup that shows
// the text of the tool the pointer rests on. Tools are rectangles of a
// holder window's client area, known by (holder, id), or whole windows
// (TTF_IDISHWND, the id being the window). The holder relays its mouse
// messages (TTM_RELAYEVENT), from which the tooltip works out the tool
// under the pointer.
//
// The tip appears below and to the right of the pointer, kept on the
// screen, once the pointer has rested on a tool for the initial delay. It
// goes when the pointer leaves the tool, at a button press, or after the
// auto-pop time; after a press or an auto-pop it stays away until the
// pointer leaves that tool. Moving to another tool while a tip is up (or
// just after it went) shows the new tip after the short reshow delay. The
// tip's text can change while it shows. Without TTS_ALWAYSTIP tips show
// only while one of the program's windows is active.

#include "platform/window/Controls.h"

#include <optional>
#include <string>
#include <vector>

namespace ws::ctl {

class ToolTipControl {
public:
    ToolTipControl(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct Key {
        HWND holder = nullptr;
        UINT_PTR id = 0;
        bool operator==(const Key& o) const { return holder == o.holder && id == o.id; }
    };
    struct Tool {
        Key key;
        UINT flags = 0;
        RECT rect { 0, 0, 0, 0 };
        std::string text;
        LPARAM lParam = 0;
    };

    static Key KeyOf(const TOOLINFO& ti) { return Key { ti.hwnd, ti.uId }; }
    Tool* Find(const Key& key);
    bool Contains(const Tool& tool, POINT screen) const;
    std::optional<Key> ToolAt(POINT screen) const;

    LRESULT AddTool(const TOOLINFO& ti);
    void DeleteTool(const Key& key);
    void SetDelay(WPARAM which, LPARAM value);
    void Relay(const MSG& msg);
    // The pointer is over tool (or none) at a screen point.
    void PointerAt(std::optional<Key> tool, POINT screen);
    void ButtonPressed(std::optional<Key> tool);
    void StartShowTimer(UINT delay);
    void ShowTip();
    void Hide();
    // Sizes the tip to its text and places it with its corner near at.
    void Place(POINT at, const std::string& text);

    HWND hwnd_;
    std::vector<Tool> tools_;
    std::optional<Key> over_; // the tool under the pointer
    std::optional<Key> shown_; // the tool whose tip is up
    std::optional<Key> quiet_; // popped by a press or time: silent until left
    bool active_ = true;
    UINT initial_ = 500;
    UINT autoPop_ = 5000;
    UINT reshow_ = 100;
    UINT pendingDelay_ = 0; // the delay of the show timer running, or 0
    DWORD hiddenAt_ = 0;
    bool hiddenRecently_ = false;
    POINT lastPoint_ { -1, -1 };
    POINT anchor_ { 0, 0 }; // where the tip's corner goes, near the pointer
};

} // namespace ws::ctl
