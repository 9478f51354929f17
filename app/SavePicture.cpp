#include "app/SavePicture.h"

#include "app/PictureFile.h"
#include "app/ScreenSnapshot.h"
#include "platform/afx/FileDialog.h"

#include <string>

void SavePicture(CWnd* board, CBitmap& savedPicture)
{
    if (!board || !board->m_hWnd)
        return;
    CopyWindowPicture(board, savedPicture);

    CFileDialog dialog(FALSE, ".bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "BMP图像 (*.bmp)| *.bmp||",
        nullptr);
    std::string path;
    if (dialog.DoModal() == IDOK)
        path = static_cast<const char*>(dialog.GetPathName());
    // Without a name there is nowhere to write; the copy is kept all the
    // same.
    if (!path.empty())
        WriteBitmapFile(savedPicture, path);
}
