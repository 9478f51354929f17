#include "tools/play/Answers.h"

#include "platform/window/ColorDialog.h"
#include "platform/window/DialogManager.h"
#include "platform/window/Dialogs.h"
#include "platform/window/FileDialog.h"

#include <cstdio>

namespace play {

namespace {

// The message box's text, for saying which box came.
std::string BoxText(HWND dialog)
{
    char text[256] = {};
    GetDlgItemText(dialog, 0xFFFF, text, sizeof text);
    return text;
}

} // namespace

const char* Answers::Name(Kind kind)
{
    switch (kind) {
    case Kind::Save:
        return "the save dialog";
    case Kind::Colour:
        return "the colour dialog";
    default:
        return "a message box";
    }
}

bool Answers::ClickButton(headless::Driver& driver, HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button || !IsWindowVisible(button))
        return false;
    RECT r;
    GetWindowRect(button, &r);
    // The hand moves to the button now and presses it at the next wait,
    // once the button has seen the pointer arrive.
    driver.MoveTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    click_ = button;
    return true;
}

bool Answers::Apply(headless::Driver& driver, std::optional<std::string>& failure, int& failureLine)
{
    if (click_) {
        const bool there = IsWindow(click_);
        click_ = nullptr;
        if (there) {
            driver.Press();
            driver.Release();
            return true;
        }
    }
    if (pending_.empty())
        return false; // any dialog is left to the script's hand

    // The topmost modal dialog that waits. Handles are used again for new
    // windows at once, so a dialog is known only while it waits; one that
    // was answered has ended by the next look.
    HWND dialog = nullptr;
    for (HWND w = GetTopWindow(nullptr); w && !dialog; w = GetWindow(w, GW_HWNDNEXT)) {
        const ws::DialogState* state = ws::DialogOf(w);
        if (state && state->modal && !state->ended && IsWindowVisible(w))
            dialog = w;
    }
    if (!dialog)
        return false;

    const Kind kind = GetDlgItem(dialog, ws::dlg::kFileNameId) ? Kind::Save
        : GetDlgItem(dialog, ws::dlg::kColorRedId)              ? Kind::Colour
                                                                : Kind::Message;
    const Command& answer = *pending_.front();
    pending_.pop_front();
    auto mismatch = [&](const char* wanted) {
        failureLine = answer.line;
        failure = std::string("expected ") + wanted + " to answer, got " + Name(kind);
        if (kind == Kind::Message)
            failure = *failure + " \"" + BoxText(dialog) + "\"";
        return true;
    };

    switch (answer.answer) {
    case AnswerKind::Save: {
        if (kind != Kind::Save)
            return mismatch("the save dialog");
        const std::filesystem::path path = std::filesystem::path(answer.text).is_absolute()
            ? std::filesystem::path(answer.text)
            : outDir_ / answer.text;
        SetDlgItemText(dialog, ws::dlg::kFileNameId, path.string().c_str());
        ClickButton(driver, dialog, IDOK);
        return true;
    }
    case AnswerKind::Colour: {
        if (kind != Kind::Colour)
            return mismatch("the colour dialog");
        // The fields take the colour as typed; each one changes its channel.
        const int channels[] = { static_cast<int>(answer.rgb >> 16) & 0xFF, static_cast<int>(answer.rgb >> 8) & 0xFF,
            static_cast<int>(answer.rgb) & 0xFF };
        const int ids[] = { ws::dlg::kColorRedId, ws::dlg::kColorGreenId, ws::dlg::kColorBlueId };
        for (int i = 0; i < 3; ++i)
            SetDlgItemText(dialog, ids[i], std::to_string(channels[i]).c_str());
        ClickButton(driver, dialog, IDOK);
        return true;
    }
    case AnswerKind::Ok:
        if (kind != Kind::Message)
            return mismatch("a message box");
        if (!ClickButton(driver, dialog, IDOK) && !ClickButton(driver, dialog, IDYES)) {
            failureLine = answer.line;
            failure = "expected a message box with OK or Yes, got \"" + BoxText(dialog) + "\" without either";
        }
        return true;
    case AnswerKind::Cancel:
        if (!ClickButton(driver, dialog, IDCANCEL) && !ClickButton(driver, dialog, IDNO)) {
            failureLine = answer.line;
            failure = std::string("expected ") + Name(kind) + " with Cancel or No, got one without either";
        }
        return true;
    }
    return false;
}

} // namespace play
