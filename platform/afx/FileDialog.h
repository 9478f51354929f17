#pragma once

// CFileDialog: the common file dialog, in the mode the program uses: saving.
// The filter is given in the library's form, "Text|*.txt|All|*.*||", pairs
// of a description and a pattern separated by bars.

#include "platform/afx/Dialog.h"
#include "platform/afx/String.h"
#include "platform/window/Controls.h"

#include <string>

class CFileDialog : public CDialog {
public:
    // Only saving (openFileDialog FALSE) is available on this platform.
    explicit CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
        DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr, CWnd* parent = nullptr);

    // IDOK once the user chose a file, else IDCANCEL.
    INT_PTR DoModal() override;
    // The full path chosen; its last part; that part's extension without
    // the dot (empty when it has none).
    CString GetPathName() const { return CString(m_szFileName); }
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAME m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::string m_strFilter; // zero-separated, as OPENFILENAME wants it
    std::string m_strDefExt;
    char m_szFileName[4096];
    char m_szFileTitle[1024];
};
