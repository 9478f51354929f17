// The toolbar's commands: capture size steps, the device list, zoom and
// turn buttons, and the photograph.

#include "camera/VideoConfigDlg.h"

#include "camera/VideoStatic.h"
#include "platform/afx/FileDialog.h"

#include <string>
#include <vector>

namespace {

constexpr UINT kStepDelayMs = 100;
constexpr UINT kZoomTipAfterButtonMs = 100;
constexpr int kHighestStep = 4;

const char kPhotoFilter[] = "BMP图像 (*.bmp)| *.bmp||";

std::vector<CString> ItemsOf(const CComboBox& combo)
{
    std::vector<CString> items;
    for (int i = 0, n = combo.GetCount(); i < n; ++i) {
        CString text;
        combo.GetLBText(i, text);
        items.push_back(text);
    }
    return items;
}

} // namespace

void CVideoConfigDlg::OnHighDef()
{
    if (m_nResolutionStep == kHighestStep)
        return;
    ++m_nResolutionStep;
    SetTimer(kResolutionTimer, kStepDelayMs);
}

void CVideoConfigDlg::OnHighSpeed()
{
    if (m_nResolutionStep == 0)
        return;
    --m_nResolutionStep;
    SetTimer(kResolutionTimer, kStepDelayMs);
}

void CVideoConfigDlg::OnDeviceDropDown()
{
    m_bDeviceChosen = false;
    RefillDeviceList();
}

void CVideoConfigDlg::OnDeviceChosen() { m_bDeviceChosen = true; }

void CVideoConfigDlg::OnDeviceCloseUp()
{
    const bool chosen = m_bDeviceChosen;
    m_bDeviceChosen = false;
    CVMR_Capture* capture = Capture();
    // The same entry again retries a camera that gives no picture (busy,
    // lost, or its graph failed to build) and leaves a streaming one alone.
    // Another entry is a change of device, which OnDeviceChange makes.
    if (chosen && capture && capture->GetDevice() == m_comboDevice.GetCurSel() && !capture->StreamLive())
        OnDeviceChange();
}

void CVideoConfigDlg::RefillDeviceList()
{
    // A camera plugged in after the program started appears the next time
    // the list opens. The name chosen stays chosen where it is still
    // listed; when it has gone nothing is selected, so that picking any
    // entry counts as a change of device.
    CVMR_Capture* capture = Capture();
    if (!capture)
        return;
    const int selected = m_comboDevice.GetCurSel();
    CString name;
    if (selected >= 0)
        m_comboDevice.GetLBText(selected, name);
    m_comboDevice.ResetContent();
    capture->FillDeviceList(m_comboDevice.m_hWnd);
    if (selected < 0)
        return;
    const std::vector<CString> items = ItemsOf(m_comboDevice);
    int keep = -1;
    if (selected < static_cast<int>(items.size()) && items[static_cast<std::size_t>(selected)] == name)
        keep = selected; // two cameras of one name: the same place wins
    for (std::size_t i = 0; keep < 0 && i < items.size(); ++i)
        if (items[i] == name)
            keep = static_cast<int>(i);
    m_comboDevice.SetCurSel(keep);
}

void CVideoConfigDlg::OnDeviceChange()
{
    m_bDeviceChosen = false;
    CVideoStatic* view = View();
    if (!view)
        return;
    // A change of device is always a new capture graph object; the view
    // owns it.
    delete view->m_pCapture;
    view->m_pCapture = nullptr;
    view->m_pCapture = new CVMR_Capture;
    view->m_pCapture->BuildGraph(m_comboDevice.GetCurSel(), view->m_hWnd);
    // The view learns the new camera's size, as after a change of size, so
    // that actual size means this camera's.
    view->SetVideoSize(view->m_pCapture->GetWidth(), view->m_pCapture->GetHeight());
}

void CVideoConfigDlg::ZoomBy(int (CVideoStatic::*zoom)())
{
    CVideoStatic* view = View();
    if (!view)
        return;
    m_nZoomPercent = (view->*zoom)();
    SetTimer(kZoomTipTimer, kZoomTipAfterButtonMs);
}

void CVideoConfigDlg::OnZoomOut() { ZoomBy(&CVideoStatic::ZoomOut); }
void CVideoConfigDlg::OnZoomIn() { ZoomBy(&CVideoStatic::ZoomIn); }
void CVideoConfigDlg::OnActualSize() { ZoomBy(&CVideoStatic::ShowActualSize); }
void CVideoConfigDlg::OnFitScreen() { ZoomBy(&CVideoStatic::FitToWindow); }

void CVideoConfigDlg::RotateBy(int degrees)
{
    // The angle is absolute and never brought back into one turn.
    m_nRotation += degrees;
    if (CVideoStatic* view = View())
        view->Rotate(m_nRotation);
}

void CVideoConfigDlg::OnRotateCcw() { RotateBy(-90); }
void CVideoConfigDlg::OnRotateCw() { RotateBy(90); }

void CVideoConfigDlg::OnPhoto()
{
    CFileDialog dialog(FALSE, ".bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPhotoFilter, nullptr);
    CString path;
    if (dialog.DoModal() == IDOK)
        path = dialog.GetPathName();
    CVMR_Capture* capture = Capture();
    const int written = capture ? capture->SaveSnapshot(path.GetString()) : 0;
    // A cancelled dialog stays silent; a chosen path that got no picture
    // says so, naming the path (nothing was left beside it).
    if (!path.IsEmpty() && written <= 0) {
        const std::string text = std::string("照片没有保存成功：\n") + path.GetString();
        MessageBox(text.c_str(), "提示", MB_OK | MB_ICONWARNING);
    }
}
