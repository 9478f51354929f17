// COM basics: apartments and object creation, strings, text conversion,
// replace-on-close files and the running object table.

#include "platform/com/ClassRegistry.h"
#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "platform/com/Kernel.h"
#include "platform/dshow/DShow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Com, InitialisationCountsPerThreadAndGuardsCreation)
{
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, &out),
        CO_E_NOTINITIALIZED);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    const struct {
        const CLSID* clsid;
        DWORD context;
        const IID* iid;
        HRESULT hr;
    } cases[] = {
        { &CLSID_FilterGraph, CLSCTX_INPROC_SERVER, &IID_IGraphBuilder, S_OK },
        { &CLSID_FilterGraph, CLSCTX_INPROC_SERVER, &IID_IMediaControl, S_OK },
        { &CLSID_FilterGraph, CLSCTX_LOCAL_SERVER, &IID_IGraphBuilder, REGDB_E_CLASSNOTREG },
        { &CLSID_SampleGrabber, CLSCTX_ALL, &IID_ISampleGrabber, S_OK },
        { &CLSID_SampleGrabber, CLSCTX_ALL, &IID_IMediaControl, E_NOINTERFACE },
        { &CLSID_VideoInputDeviceCategory, CLSCTX_ALL, &IID_IUnknown, REGDB_E_CLASSNOTREG },
    };
    for (const auto& c : cases) {
        IUnknown* object = nullptr;
        EXPECT_EQ(CoCreateInstance(*c.clsid, nullptr, c.context, *c.iid, reinterpret_cast<void**>(&object)), c.hr);
        EXPECT_EQ(object != nullptr, c.hr == S_OK);
        if (object) {
            EXPECT_EQ(object->Release(), 0u) << "the caller holds the only reference";
        }
    }
    {
        com::ClassOverride gone(CLSID_FilterGraph, {});
        IUnknown* object = nullptr;
        EXPECT_EQ(
            CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
            REGDB_E_CLASSNOTREG);
    }
    IUnknown* back = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&back)),
        S_OK)
        << "the override restored the class";
    back->Release();
    CoUninitialize();
    CoUninitialize();
}

TEST(Com, StringsAndVariants)
{
    BSTR s = SysAllocString(u"Kamera");
    EXPECT_EQ(SysStringLen(s), 6u);
    EXPECT_EQ(std::u16string(s), u"Kamera");
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = s;
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
}

TEST(Kernel, WideTextBecomesUtf8)
{
    const struct {
        std::u16string wide;
        std::string narrow;
    } cases[] = {
        { u"Doc Cam", "Doc Cam" },
        { u"\u5b9e\u7269\u5c55\u53f0", "\xE5\xAE\x9E\xE7\x89\xA9\xE5\xB1\x95\xE5\x8F\xB0" },
        { u"\U0001F4F7", "\xF0\x9F\x93\xB7" },
        { std::u16string(1, char16_t(0xD800)), "\xEF\xBF\xBD" },
    };
    for (const auto& c : cases) {
        char out[32] = {};
        int n = WideCharToMultiByte(CP_ACP, 0, c.wide.c_str(), -1, out, sizeof out, nullptr, nullptr);
        EXPECT_EQ(n, static_cast<int>(c.narrow.size()) + 1);
        EXPECT_EQ(std::string(out), c.narrow);
        EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, c.wide.c_str(), -1, nullptr, 0, nullptr, nullptr), n);
    }
    char tiny[2];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"long", -1, tiny, sizeof tiny, nullptr, nullptr), 0);
}

TEST(Kernel, AFileReplacesItsNameOnlyWhenClosed)
{
    std::string path = ::testing::TempDir() + "replace" + std::to_string(getpid()) + ".bin";
    {
        std::ofstream(path) << "old";
    }
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
        nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(f, "new data", 8, &written, nullptr));
    EXPECT_EQ(written, 8u);
    EXPECT_EQ(Slurp(path), "old") << "the old file is whole while the new one is written";
    EXPECT_TRUE(CloseHandle(f));
    EXPECT_EQ(Slurp(path), "new data");
    EXPECT_FALSE(CloseHandle(f)) << "a closed handle is gone";
    std::remove(path.c_str());

    const char* bad[] = { "", "/nonexistent-dir/x.bmp" };
    for (const char* p : bad)
        EXPECT_EQ(CreateFileA(p, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr), INVALID_HANDLE_VALUE) << p;
    EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
}

// A minimal object to register.
class Thing final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override { return com::QueryInterfaceOf<IUnknown>(this, iid, out); }
    INKVEIL_COM_REFCOUNT
    ULONG Count()
    {
        AddRef();
        return Release();
    }

private:
    ~Thing() = default;
    com::RefCount refs_;
};

TEST(RunningObjectTable, RegistersKeepsAliveFindsAndRevokes)
{
    com::ComPtr<IRunningObjectTable> rot;
    ASSERT_EQ(GetRunningObjectTable(0, rot.Out()), S_OK);
    EXPECT_EQ(GetRunningObjectTable(1, rot.Out()), E_INVALIDARG);
    GetRunningObjectTable(0, rot.Out());
    auto thing = com::ComPtr<Thing>::Attach(new Thing);
    com::ComPtr<IMoniker> name, same, other;
    CreateItemMoniker(u"!", u"FilterGraph 1 pid 2", name.Out());
    CreateItemMoniker(u"!", u"filtergraph 1 PID 2", same.Out());
    CreateItemMoniker(u"!", u"FilterGraph 3 pid 4", other.Out());
    DWORD cookie = 0;
    ASSERT_EQ(rot->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, thing.Get(), name.Get(), &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(thing->Count(), 2u) << "the table holds a reference";
    EXPECT_EQ(rot->IsRunning(same.Get()), S_OK) << "item names ignore case";
    EXPECT_EQ(rot->IsRunning(other.Get()), S_FALSE);
    com::ComPtr<IUnknown> found;
    EXPECT_EQ(rot->GetObject(name.Get(), found.Out()), S_OK);
    EXPECT_EQ(found.Get(), static_cast<IUnknown*>(thing.Get()));
    found.Reset();
    LPOLESTR display = nullptr;
    name->GetDisplayName(nullptr, nullptr, &display);
    EXPECT_EQ(std::u16string(display), u"!FilterGraph 1 pid 2");
    CoTaskMemFree(display);
    EXPECT_EQ(rot->Revoke(cookie), S_OK);
    EXPECT_EQ(rot->Revoke(cookie), E_INVALIDARG);
    EXPECT_EQ(thing->Count(), 1u);
    EXPECT_EQ(rot->GetObject(name.Get(), found.Out()), MK_E_UNAVAILABLE);
}

} // namespace
