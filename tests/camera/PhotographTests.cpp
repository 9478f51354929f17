// The grabber callback's interface and the photograph: the renderer's image
// turned into the frame buffer and back into the file, the file's sizes,
// and no file without a picture.

#include "tests/camera/CameraTestSupport.h"

#include "camera/SampleGrabberCB.h"
#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "tests/camera/VideoTestSupport.h"
#include "tests/support/FileTestSupport.h"
#include "tests/support/faults/RenameFault.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

using test::CameraTest;

std::vector<BYTE> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

template <class T>
T At(const std::vector<BYTE>& bytes, std::size_t offset)
{
    T v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

std::string TempPath(const char* name) { return ::testing::TempDir() + name + std::to_string(getpid()) + ".bmp"; }

// The renderer's current image, reached the way a graph viewer would:
// through the graph registered in the running object table.
std::vector<BYTE> RendererImage()
{
    std::string display = test::RegisteredGraphName();
    std::u16string item(display.begin(), display.end());
    com::ComPtr<IMoniker> name;
    CreateItemMoniker(u"", item.c_str(), name.Out());
    com::ComPtr<IRunningObjectTable> rot;
    GetRunningObjectTable(0, rot.Out());
    com::ComPtr<IUnknown> object;
    if (rot->GetObject(name.Get(), object.Out()) != S_OK)
        return {};
    com::ComPtr<IBaseFilter> renderer;
    object.As<IGraphBuilder>()->FindFilterByName(u"Video Mixing Renderer", renderer.Out());
    BYTE* dib = nullptr;
    if (!renderer || renderer.As<IVMRWindowlessControl>()->GetCurrentImage(&dib) != S_OK)
        return {};
    BITMAPINFOHEADER h;
    std::memcpy(&h, dib, sizeof h);
    std::vector<BYTE> image(dib, dib + h.biSize + h.biSizeImage);
    CoTaskMemFree(dib);
    return image;
}

TEST(SampleGrabberCallback, AnswersOnlyItsInterfacesAndCountsNothing)
{
    const struct {
        const IID* iid;
        HRESULT hr;
    } cases[] = {
        { &IID_ISampleGrabberCB, S_OK },
        { &IID_IUnknown, S_OK },
        { &IID_ISampleGrabber, E_NOINTERFACE },
        { &IID_IBaseFilter, E_NOINTERFACE },
    };
    for (const auto& c : cases) {
        void* out = nullptr;
        EXPECT_EQ(g_grabberCB.QueryInterface(*c.iid, &out), c.hr);
        EXPECT_EQ(out, c.hr == S_OK ? static_cast<void*>(static_cast<ISampleGrabberCB*>(&g_grabberCB)) : nullptr);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g_grabberCB.AddRef(), 2u);
        EXPECT_EQ(g_grabberCB.Release(), 1u);
    }
    EXPECT_EQ(g_grabberCB.SampleCB(0.0, nullptr), S_OK);
}

TEST(SampleGrabberCallback, PublishesACopyAndRefusesANullBuffer)
{
    BYTE pixels[12] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    g_grabberCB.m_nWidth = 2;
    g_grabberCB.m_nHeight = 2;
    EXPECT_EQ(g_grabberCB.BufferCB(0.5, pixels, sizeof pixels), S_OK);
    pixels[0] = 99; // the grabber's buffer is reused for the next sample
    EXPECT_EQ(g_grabberCB.BufferCB(0.6, nullptr, 12), E_POINTER);
    std::vector<BYTE> seen = CameraTest::FrameCopy();
    EXPECT_EQ(seen, (std::vector<BYTE> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 }));
    auto lock = g_latestFrame.Lock();
    EXPECT_EQ(g_latestFrame.bih.biSize, 40u);
    EXPECT_EQ(g_latestFrame.bih.biWidth, 2);
    EXPECT_EQ(g_latestFrame.bih.biHeight, 2);
    EXPECT_EQ(g_latestFrame.bih.biPlanes, 1);
    EXPECT_EQ(g_latestFrame.bih.biBitCount, 24);
    EXPECT_EQ(g_latestFrame.bih.biCompression, 0u);
}

using PhotographTest = CameraTest;

TEST_F(PhotographTest, TheRendererImageIsTurnedIntoTheBufferAndBackIntoTheFile)
{
    auto camera = AddCamera("Tiny", { { 4, 2 } });
    camera->SetPicture(test::GreyPicture({ 16, 40, 70, 100, 130, 160, 200, 235 }));
    CVMR_Capture cap;
    ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    ASSERT_EQ(cap.GetWidth(), 4);
    // The renderer takes each frame after the grabber has shown it.
    ASSERT_TRUE(WaitFor([&] { return cap.GrabRendererImage() >= 0; }));
    std::vector<BYTE> image = RendererImage();
    ASSERT_EQ(image.size(), 40u + 32u);
    EXPECT_EQ(At<WORD>(image, 14), 32) << "a 32-bit image";
    EXPECT_EQ(At<LONG>(image, 8), 2) << "bottom-up";
    const BYTE* p = image.data() + 40; // P0 … P7
    for (int k = 1; k < 8; ++k)
        EXPECT_NE(p[k * 4], p[(k - 1) * 4]) << "the test needs eight different pixels";

    ASSERT_EQ(cap.GrabRendererImage(), 24);
    BYTE* buffer = nullptr;
    ASSERT_EQ(cap.GetFrameBuffer(&buffer), 24);
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(0, std::memcmp(buffer + j * 3, p + (7 - j) * 4, 3)) << "buffer pixel " << j;

    std::string path = TempPath("tiny");
    EXPECT_EQ(cap.SaveSnapshot(path.c_str()), 24);
    std::vector<BYTE> file = ReadFile(path);
    ASSERT_EQ(file.size(), 54u + 24u);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(0, std::memcmp(file.data() + 54 + k * 3, p + k * 4, 3)) << "file pixel " << k;
    std::remove(path.c_str());
}

TEST_F(PhotographTest, A1280By720PhotographHasTheSizesOfItsHeader)
{
    AddCamera("Doc Cam", { { 1280, 720 } });
    CVMR_Capture cap;
    ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    ASSERT_TRUE(WaitFor([&] { return cap.GrabRendererImage() >= 0; }));
    std::string path = TempPath("hd");
    EXPECT_EQ(cap.SaveSnapshot(path.c_str()), 2764800);
    std::vector<BYTE> file = ReadFile(path);
    ASSERT_EQ(file.size(), 2764854u);
    const struct {
        std::size_t offset;
        long long value;
        int bytes;
    } fields[] = {
        { 0, 19778, 2 },
        { 2, 2764854, 4 },
        { 6, 0, 2 },
        { 8, 0, 2 },
        { 10, 54, 4 },
        { 14, 40, 4 },
        { 18, 1280, 4 },
        { 22, 720, 4 },
        { 26, 1, 2 },
        { 28, 24, 2 },
        { 30, 0, 4 },
        { 34, 0, 4 },
        { 38, 0, 4 },
        { 42, 0, 4 },
        { 46, 0, 4 },
        { 50, 0, 4 },
    };
    for (const auto& f : fields) {
        long long v = f.bytes == 2 ? At<WORD>(file, f.offset) : At<LONG>(file, f.offset);
        EXPECT_EQ(v, f.value) << "offset " << f.offset;
    }
    std::remove(path.c_str());
}

TEST_F(PhotographTest, WithoutAPictureNoFileIsWrittenAndAnOldOneStays)
{
    std::string path = TempPath("old");
    {
        std::ofstream(path) << "an earlier photograph";
    }
    CVMR_Capture none; // no camera at all
    EXPECT_EQ(none.BuildGraph(0, nullptr), 1);
    EXPECT_EQ(none.GrabRendererImage(), -1);
    EXPECT_EQ(none.SaveSnapshot(path.c_str()), 0);

    auto camera = AddCamera("Slow Cam", { { 640, 480 } });
    camera->SetFramePeriod(std::chrono::hours(1)); // no frame ever arrives
    CVMR_Capture waiting;
    ASSERT_EQ(waiting.BuildGraph(0, nullptr), S_OK);
    EXPECT_EQ(waiting.GrabRendererImage(), -1);
    EXPECT_EQ(waiting.SaveSnapshot(path.c_str()), 0);
    EXPECT_EQ(waiting.SaveSnapshot(""), 0) << "a cancelled save dialog";
    std::vector<BYTE> kept = ReadFile(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "an earlier photograph");
    std::remove(path.c_str());
}

TEST_F(PhotographTest, ASaveThatFailsAtTheDiskOrAtTheRenameAnswersNothingAndLeavesTheOldFile)
{
    AddCamera("Doc Cam", { { 64, 48 } });
    CVMR_Capture cap;
    ASSERT_EQ(cap.BuildGraph(0, nullptr), S_OK);
    ASSERT_TRUE(WaitFor([&] { return cap.GrabRendererImage() >= 0; }));
    test::TempFolder folder;
    const std::string path = folder.File("photo.bmp");
    {
        std::ofstream(path) << "an earlier photograph";
    }
    {
        test::RenameFault fault(EIO);
        EXPECT_EQ(cap.SaveSnapshot(path.c_str()), 0) << "a rename that failed";
        EXPECT_TRUE(fault.Hit());
    }
    {
        test::DiskFull full(4096); // the pixels (9216 bytes) do not fit
        EXPECT_EQ(cap.SaveSnapshot(path.c_str()), 0) << "a full disk";
    }
    std::vector<BYTE> kept = ReadFile(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "an earlier photograph");
    EXPECT_EQ(folder.Names(), std::vector<std::string> { "photo.bmp" }) << "nothing left beside it";
    EXPECT_EQ(cap.SaveSnapshot(path.c_str()), 64 * 48 * 3) << "with room again";
    EXPECT_EQ(ReadFile(path).size(), 54u + 64 * 48 * 3);
}

using TurnedViewPhotographTest = test::ViewTest;

TEST_F(TurnedViewPhotographTest, APhotographOfATurnedViewHasTheCaptureSizeAndTheUnturnedPixels)
{
    // The view turns frames into the capture's own frame buffer, the one the
    // photograph is written from.
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 8, 4 } });
    std::vector<BYTE> lumas(32);
    for (std::size_t i = 0; i < lumas.size(); ++i)
        lumas[i] = static_cast<BYTE>(20 + 6 * i);
    camera->SetPicture(test::GreyPicture(lumas));
    devices.Add("/dev/video0", camera);
    Open();
    ASSERT_NE(view.m_pCapture, nullptr);
    ASSERT_EQ(view.m_pCapture->GetWidth(), 8);
    view.Rotate(90);
    ASSERT_TRUE(test::CameraTest::WaitForFrame(8 * 4 * 3));
    ASSERT_TRUE(test::CameraTest::WaitFor([&] { return view.m_pCapture->GrabRendererImage() >= 0; }));
    const std::vector<BYTE> frame = test::CameraTest::FrameCopy();
    for (int i = 0; i < 3; ++i)
        Tick();
    BYTE* buffer = nullptr;
    ASSERT_EQ(view.m_pCapture->GetFrameBuffer(&buffer), 96);
    ASSERT_NE(std::vector<BYTE>(buffer, buffer + 96), frame)
        << "the turn must have used the buffer for the test to tell";

    test::TempFolder folder;
    const std::string path = folder.File("turned.bmp");
    ASSERT_EQ(view.m_pCapture->SaveSnapshot(path.c_str()), 96);
    const std::vector<BYTE> file = ReadFile(path);
    ASSERT_EQ(file.size(), 54u + 96);
    EXPECT_EQ(At<LONG>(file, 18), 8) << "the capture's width";
    EXPECT_EQ(At<LONG>(file, 22), 4) << "the capture's height";
    // The picture as the camera gives it, bottom-up, rows of 24 bytes.
    EXPECT_EQ(std::vector<BYTE>(file.begin() + 54, file.end()), frame);
}

} // namespace
