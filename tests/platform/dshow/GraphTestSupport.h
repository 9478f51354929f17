#pragma once

// A test of filters in a graph over emulated device nodes: COM set up,
// filters created by class, pins found by number, the graph's filter names.

#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "platform/dshow/DShow.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test {

using com::ComPtr;

class GraphTest : public ::testing::Test {
public:
    GraphTest()
        : use_(devices)
    {
        CoInitialize(nullptr);
    }
    ~GraphTest() override { CoUninitialize(); }

    template <class I>
    ComPtr<I> Create(const CLSID& clsid)
    {
        ComPtr<I> p;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, I::kIid, p.OutVoid()), S_OK);
        return p;
    }
    static ComPtr<IPin> PinOf(IBaseFilter* f, int n)
    {
        ComPtr<IEnumPins> e;
        f->EnumPins(e.Out());
        e->Skip(static_cast<ULONG>(n));
        ComPtr<IPin> pin;
        e->Next(1, pin.Out(), nullptr);
        return pin;
    }
    // The capture filter of the first video device listed.
    ComPtr<IBaseFilter> FirstCamera()
    {
        auto create = Create<ICreateDevEnum>(CLSID_SystemDeviceEnum);
        ComPtr<IEnumMoniker> e;
        create->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, e.Out(), 0);
        ComPtr<IMoniker> m;
        ComPtr<IBaseFilter> source;
        if (e && e->Next(1, m.Out(), nullptr) == S_OK)
            m->BindToObject(nullptr, nullptr, IID_IBaseFilter, source.OutVoid());
        return source;
    }
    std::vector<std::u16string> FilterNames(IGraphBuilder* graph)
    {
        std::vector<std::u16string> names;
        ComPtr<IEnumFilters> e;
        graph->EnumFilters(e.Out());
        ComPtr<IBaseFilter> f;
        while (e->Next(1, f.Out(), nullptr) == S_OK) {
            FILTER_INFO info;
            f->QueryFilterInfo(&info);
            if (info.pGraph)
                info.pGraph->Release();
            names.emplace_back(info.achName);
        }
        return names;
    }

    v4l2::EmulatedDeviceSystem devices;

private:
    v4l2::ScopedDeviceSystem use_;
};

} // namespace test
