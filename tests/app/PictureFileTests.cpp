// Saving the board's picture: BMP files at the display's depth with the
// right headers and row padding, exactly as long as they say, read back to
// the same pixels by an independent decoder (Pillow); a failed save leaves
// an existing file whole with nothing beside it; and the SAVE command writes
// what the board shows, where the user says.

#include "app/PictureFile.h"
#include "app/SavePicture.h"
#include "app/ScreenSnapshot.h"
#include "board/MyWnd.h"
#include "platform/afx/ClientDc.h"
#include "platform/headless/Driver.h"
#include "platform/window/FileDialog.h"
#include "tests/support/FileTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {


using test::DiskFull;
using test::TempFolder;

std::vector<std::uint8_t> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Whether the system's Python has Pillow, the decoder the files are read
// back with (the set-up script installs it).
bool PillowAvailable()
{
    static const bool available = std::system("/usr/bin/python3 -c 'import PIL.Image' >/dev/null 2>&1") == 0;
    return available;
}

#define SKIP_WITHOUT_PILLOW()                                                                                      \
    if (!PillowAvailable())                                                                                        \
    GTEST_SKIP() << "Pillow (python3-pil) is missing: the files cannot be read back by an independent decoder; "  \
                    "tools/setup.sh installs it"

// The pixels of each file as Pillow reads them, 0x00RRGGBB, top row first;
// one start of the system's own Python for all of them.
std::vector<std::vector<std::uint32_t>> Decode(const std::vector<std::string>& paths)
{
    std::string command = "/usr/bin/python3 -c \"import sys\nfrom PIL import Image\nfor p in sys.argv[1:]:\n"
                          "    print(' '.join('%02x%02x%02x' % c for c in Image.open(p).convert('RGB').getdata()))\"";
    for (const std::string& p : paths)
        command += " '" + p + "'";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    std::vector<std::vector<std::uint32_t>> out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream row(line);
        out.emplace_back();
        for (std::string hex; row >> hex;)
            out.back().push_back(static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16)));
    }
    return out;
}

// Neighbouring pixels differ, so a row or column out of place shows.
std::vector<std::uint32_t> Picture(int w, int h, const std::vector<std::uint32_t>& colours)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.push_back(colours[static_cast<std::size_t>(x * 3 + y * 5 + (x * y) % 4) % colours.size()]);
    return out;
}

TEST(PictureFile, EveryDepthHasItsHeadersAndDecodesToTheSamePixels)
{
    SKIP_WITHOUT_PILLOW();
    const std::vector<std::uint32_t> any = { 0x123456, 0xFEDCBA, 0x00FF7F, 0x808000, 0x010203, 0xFFFFFF };
    // For 8 and 1 bits, colours of the default palettes.
    const std::vector<std::uint32_t> palette = { 0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x800000, 0xC0C0C0 };
    struct Case {
        int display, width, fileBits;
        std::uint32_t paletteBytes, stride;
        std::vector<std::uint32_t> colours;
    };
    const Case cases[] = {
        { 32, 7, 32, 0, 28, any },
        { 16, 7, 24, 0, 24, any }, // a 16-bit display gives 24-bit files
        { 8, 7, 8, 1024, 8, palette },
        { 1, 7, 1, 8, 4, { 0x000000, 0xFFFFFF } },
        { 16, 1366, 24, 0, 4100, any },
        { 32, 1366, 32, 0, 5464, any },
    };
    TempFolder folder;
    std::vector<std::string> paths;
    std::vector<std::vector<std::uint32_t>> pictures;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.display) + " bits, " + std::to_string(c.width) + " wide");
        headless::Driver driver(64, 48, c.display);
        pictures.push_back(Picture(c.width, 3, c.colours));
        HBITMAP bitmap = ::CreateBitmap(c.width, 3, 1, 32, pictures.back().data());
        paths.push_back(folder.File(std::to_string(paths.size()) + ".bmp"));
        ASSERT_TRUE(WriteBitmapFile(bitmap, paths.back()));
        ::DeleteObject(bitmap);
        EXPECT_EQ(BitmapFileStride(c.fileBits, c.width), static_cast<int>(c.stride));

        const std::vector<std::uint8_t> file = Bytes(paths.back());
        ASSERT_EQ(file.size(), 54 + c.paletteBytes + 3 * c.stride);
        EXPECT_EQ(U32(file, 2), file.size()) << "the size field is the file's length";
        EXPECT_EQ(file[0] | file[1] << 8, 19778);
        EXPECT_EQ(U32(file, 6), 0u);
        EXPECT_EQ(U32(file, 10), 54 + c.paletteBytes);
        const std::uint32_t info[] = { 40, static_cast<std::uint32_t>(c.width), 3,
            1u | static_cast<std::uint32_t>(c.fileBits) << 16, 0, 0, 0, 0, 0, 0 };
        for (std::size_t i = 0; i < std::size(info); ++i)
            EXPECT_EQ(U32(file, 14 + 4 * i), info[i]) << "info header at " << 14 + 4 * i;
    }
    EXPECT_EQ(Decode(paths), pictures);
}

TEST(PictureFile, AFailedSaveLeavesTheOldFileWholeAndNothingBeside)
{
    headless::Driver driver(64, 48, 32);
    TempFolder folder;
    const std::string path = folder.File("board.bmp");
    const auto small = Picture(4, 4, { 0x111111, 0x222222 });
    const auto large = Picture(100, 100, { 0x333333, 0x444444 });
    HBITMAP a = ::CreateBitmap(4, 4, 1, 32, small.data());
    HBITMAP b = ::CreateBitmap(100, 100, 1, 32, large.data());
    ASSERT_TRUE(WriteBitmapFile(a, path));
    const auto old = Bytes(path);
    {
        DiskFull full(4096); // the disk fills up in the middle of the rows
        EXPECT_FALSE(WriteBitmapFile(b, path));
    }
    // Nowhere to write: no such folder, a folder in the file's place, no
    // name (a cancelled dialog); and no bitmap at all.
    for (const std::string& bad : { folder.File("missing/board.bmp"), folder.path.string(), std::string() })
        EXPECT_FALSE(WriteBitmapFile(b, bad)) << bad;
    EXPECT_FALSE(WriteBitmapFile(nullptr, folder.File("none.bmp")));
    EXPECT_EQ(Bytes(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string> { "board.bmp" });
    EXPECT_TRUE(WriteBitmapFile(b, path)) << "with room again the file is replaced";
    EXPECT_EQ(Bytes(path).size(), 54u + 100 * 100 * 4);
    ::DeleteObject(a);
    ::DeleteObject(b);
}

TEST(SavePicture, WritesWhatTheBoardShowsWhereTheUserSays)
{
    SKIP_WITHOUT_PILLOW();
    constexpr int kW = 200, kH = 150;
    headless::Driver driver(kW, kH);
    CBitmap saved;
    std::unique_ptr<CBitmap> snapshot(SnapshotScreen());
    CMyWnd board(snapshot.get());
    board.CreateBoard(CMyWnd::kWindowName, CRect(0, CMyWnd::kTop, kW, kH), nullptr);
    board.ShowWindow(SW_SHOW);
    CClientDC(&board).FillSolidRect(50, 50, 30, 20, RGB(250, 0, 0));
    driver.Pump();
    std::vector<std::uint32_t> shown;
    for (int y = CMyWnd::kTop; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            shown.push_back(gdi::PixelFromColorRef(driver.PixelAt(x, y)));

    TempFolder folder;
    const std::string path = folder.File("课堂.bmp");
    driver.WhenWaiting([&] {
        HWND name = ::GetDlgItem(::GetActiveWindow(), ws::dlg::kFileNameId);
        ::SendMessage(name, EM_SETSEL, 0, -1);
        ::SetFocus(name);
        driver.Type(path);
        driver.Key(VK_RETURN);
    });
    SavePicture(&board, saved);
    EXPECT_EQ(Decode({ path }), std::vector<std::vector<std::uint32_t>> { shown });

    // Cancelled: nothing more is written, but the copy is made all the same.
    std::remove(path.c_str());
    driver.WhenWaiting([&] { driver.Key(VK_ESCAPE); });
    SavePicture(&board, saved);
    EXPECT_TRUE(folder.Names().empty());
    BITMAP bm {};
    saved.GetBitmap(&bm);
    EXPECT_EQ(bm.bmHeight, kH - CMyWnd::kTop);

    bool asked = false;
    driver.WhenWaiting([&] { asked = true; });
    SavePicture(nullptr, saved);
    EXPECT_FALSE(asked) << "no board, no dialog";
}

} // namespace
