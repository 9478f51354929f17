#include "app/program/RunningInstance.h"

#include "platform/afx/WinApp.h"
#include "platform/afx/Wnd.h"
#include "platform/x11/SingleInstance.h"

#include <memory>

namespace {

// The claim of the running instance: it holds the selection for as long
// as the process lives.
std::unique_ptr<platform::x11::SingleInstance> g_claim;

// How often the message loop looks for later starts: often enough that the
// window comes at once to the eye, seldom enough to cost nothing.
constexpr UINT kAnswerMs = 100;

void ComeForward()
{
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->m_hWnd)
        return;
    // A minimised window comes back as it was (maximised stays maximised);
    // restoring one that is not minimised would take its maximised size.
    if (main->IsIconic())
        main->ShowWindow(SW_RESTORE);
    main->SetForegroundWindow();
}

void CheckForLaterStarts(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_claim && g_claim->TakeRequests() > 0)
        ComeForward();
}

} // namespace

bool HandOverToRunningInstance()
{
    platform::x11::SingleInstance::Outcome outcome;
    g_claim = platform::x11::SingleInstance::Claim(nullptr, kInstanceSelection, outcome);
    return outcome == platform::x11::SingleInstance::Outcome::Signalled;
}

void AnswerLaterStarts()
{
    if (g_claim)
        SetTimer(nullptr, 0, kAnswerMs, CheckForLaterStarts);
}
