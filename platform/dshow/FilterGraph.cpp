// Filter bookkeeping, intelligent connection and state changes.

#include "platform/dshow/FilterGraph.h"

#include "platform/com/Com.h"
#include "platform/com/ComEnum.h"
#include "platform/dshow/MediaTypeFunctions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace dshow {

namespace {

// Every pin of a filter, in enumeration order.
std::vector<com::ComPtr<IPin>> PinsOf(IBaseFilter* filter)
{
    std::vector<com::ComPtr<IPin>> pins;
    com::ComPtr<IEnumPins> e;
    if (FAILED(filter->EnumPins(e.Out())) || !e)
        return pins;
    com::ComPtr<IPin> pin;
    while (e->Next(1, pin.Out(), nullptr) == S_OK)
        pins.push_back(pin);
    return pins;
}

bool HasInput(IBaseFilter* filter)
{
    for (auto& pin : PinsOf(filter)) {
        PIN_DIRECTION dir;
        if (SUCCEEDED(pin->QueryDirection(&dir)) && dir == PINDIR_INPUT)
            return true;
    }
    return false;
}

// The first unconnected pin of a filter in a direction.
com::ComPtr<IPin> FreePin(IBaseFilter* filter, PIN_DIRECTION want)
{
    for (auto& pin : PinsOf(filter)) {
        PIN_DIRECTION dir;
        com::ComPtr<IPin> peer;
        if (SUCCEEDED(pin->QueryDirection(&dir)) && dir == want && pin->ConnectedTo(peer.Out()) == VFW_E_NOT_CONNECTED)
            return pin;
    }
    return {};
}

} // namespace

HRESULT FilterGraph::Create(REFIID iid, void** out)
{
    auto* graph = new FilterGraph;
    HRESULT hr = graph->QueryInterface(iid, out);
    graph->Release();
    return hr;
}

FilterGraph::~FilterGraph()
{
    Stop();
    // Connections hold references both ways; breaking them lets the
    // filters go.
    for (Entry& e : filters_) {
        DisconnectAll(e.filter.Get());
        e.filter->JoinFilterGraph(nullptr, nullptr);
    }
}

HRESULT FilterGraph::QueryInterface(REFIID iid, void** out)
{
    return com::QueryInterfaceOf<IGraphBuilder, IFilterGraph, IMediaControl, IMediaEventSink, IMediaEvent>(this, iid,
        out);
}

HRESULT FilterGraph::AddFilter(IBaseFilter* filter, LPCOLESTR name)
{
    if (!filter)
        return E_POINTER;
    for (const Entry& e : filters_) {
        if (e.filter.Get() == filter)
            return VFW_E_DUPLICATE_NAME;
    }
    std::u16string chosen = name ? std::u16string(name) : std::u16string(u"Filter");
    // A name already in use gets a number, as the graph needs unique names.
    HRESULT result = S_OK;
    for (int n = 1; std::any_of(filters_.begin(), filters_.end(), [&](const Entry& e) { return e.name == chosen; });
         ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, " %04d", n);
        chosen = (name ? std::u16string(name) : std::u16string(u"Filter"))
            + std::u16string(suffix, suffix + std::char_traits<char>::length(suffix));
        result = MakeHResult(0x0004022D); // VFW_S_DUPLICATE_NAME
    }
    HRESULT hr = filter->JoinFilterGraph(this, chosen.c_str());
    if (FAILED(hr))
        return hr;
    filters_.push_back({ com::ComPtr<IBaseFilter>::Share(filter), chosen });
    return result;
}

void FilterGraph::DisconnectAll(IBaseFilter* filter)
{
    for (auto& pin : PinsOf(filter)) {
        com::ComPtr<IPin> peer;
        if (pin->ConnectedTo(peer.Out()) == S_OK)
            peer->Disconnect();
        pin->Disconnect();
    }
}

HRESULT FilterGraph::RemoveFilter(IBaseFilter* filter)
{
    if (!filter)
        return E_POINTER;
    auto it = std::find_if(filters_.begin(), filters_.end(), [&](const Entry& e) { return e.filter.Get() == filter; });
    if (it == filters_.end())
        return VFW_E_NOT_FOUND;
    filter->Stop();
    DisconnectAll(filter);
    filter->JoinFilterGraph(nullptr, nullptr);
    filters_.erase(it);
    return S_OK;
}

HRESULT FilterGraph::EnumFilters(IEnumFilters** out)
{
    if (!out)
        return E_POINTER;
    std::vector<com::ComPtr<IBaseFilter>> all;
    for (const Entry& e : filters_)
        all.push_back(e.filter);
    *out = new com::ComEnum<IEnumFilters, IBaseFilter>(std::move(all));
    return S_OK;
}

HRESULT FilterGraph::FindFilterByName(LPCOLESTR name, IBaseFilter** out)
{
    if (!name || !out)
        return E_POINTER;
    *out = nullptr;
    for (const Entry& e : filters_) {
        if (e.name == name) {
            *out = com::ComPtr<IBaseFilter>(e.filter).Detach();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT FilterGraph::ConnectDirect(IPin* out, IPin* in, const AM_MEDIA_TYPE* type)
{
    if (!out || !in)
        return E_POINTER;
    if (state_ != State_Stopped)
        return VFW_E_NOT_STOPPED;
    return out->Connect(in, type);
}

HRESULT FilterGraph::Disconnect(IPin* pin)
{
    if (!pin)
        return E_POINTER;
    return pin->Disconnect();
}

HRESULT FilterGraph::Connect(IPin* out, IPin* in)
{
    if (!out || !in)
        return E_POINTER;
    PIN_DIRECTION outDir, inDir;
    if (FAILED(out->QueryDirection(&outDir)) || FAILED(in->QueryDirection(&inDir)) || outDir != PINDIR_OUTPUT
        || inDir != PINDIR_INPUT)
        return E_INVALIDARG;
    HRESULT hr = ConnectDirect(out, in, nullptr);
    if (SUCCEEDED(hr) || hr == VFW_E_ALREADY_CONNECTED || hr == VFW_E_NOT_STOPPED)
        return hr;
    // The converters the platform has. The output's types are taken in its
    // own order (a camera offers its current format first), and for each
    // the converters in turn: a camera streaming MJPG keeps its format and
    // size rather than falling back to some YUY2 size the YUY2 converter
    // would accept.
    static const struct {
        const CLSID* clsid;
        const char16_t* name;
    } converters[] = {
        { &CLSID_Yuy2ToRgb24, u"YUY2 to RGB24 Converter" },
        { &CLSID_MjpgToRgb24, u"MJPEG Decompressor" },
        { &CLSID_Colour, u"Color Space Converter" },
    };
    std::vector<AM_MEDIA_TYPE*> types;
    com::ComPtr<IEnumMediaTypes> e;
    if (SUCCEEDED(out->EnumMediaTypes(e.Out())) && e) {
        AM_MEDIA_TYPE* mt = nullptr;
        while (e->Next(1, &mt, nullptr) == S_OK)
            types.push_back(mt);
    }
    HRESULT result = VFW_E_CANNOT_CONNECT;
    for (std::size_t t = 0; t < types.size() && FAILED(result); ++t) {
        for (const auto& c : converters) {
            if (SUCCEEDED(ConnectThrough(*c.clsid, c.name, out, in, types[t]))) {
                result = S_OK;
                break;
            }
        }
    }
    for (AM_MEDIA_TYPE* mt : types)
        DeleteMediaType(mt);
    return result;
}

HRESULT FilterGraph::ConnectThrough(const CLSID& converter, const char16_t* name, IPin* out, IPin* in,
    const AM_MEDIA_TYPE* type)
{
    com::ComPtr<IBaseFilter> filter;
    HRESULT hr = CoCreateInstance(converter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.OutVoid());
    if (FAILED(hr))
        return hr;
    hr = AddFilter(filter.Get(), name);
    if (FAILED(hr))
        return hr;
    com::ComPtr<IPin> convIn = FreePin(filter.Get(), PINDIR_INPUT);
    com::ComPtr<IPin> convOut = FreePin(filter.Get(), PINDIR_OUTPUT);
    if (convIn && convOut && SUCCEEDED(out->Connect(convIn.Get(), type)) && SUCCEEDED(convOut->Connect(in, nullptr)))
        return S_OK;
    RemoveFilter(filter.Get());
    return VFW_E_CANNOT_CONNECT;
}

std::vector<IBaseFilter*> FilterGraph::SourcesLast() const
{
    std::vector<IBaseFilter*> order;
    for (const Entry& e : filters_) {
        if (HasInput(e.filter.Get()))
            order.push_back(e.filter.Get());
    }
    for (const Entry& e : filters_) {
        if (!HasInput(e.filter.Get()))
            order.push_back(e.filter.Get());
    }
    return order;
}

HRESULT FilterGraph::ChangeState(FILTER_STATE target)
{
    std::vector<IBaseFilter*> order = SourcesLast();
    if (target == State_Stopped) {
        // Sources stop first: their streaming threads end before anything
        // downstream stops taking samples.
        std::reverse(order.begin(), order.end());
        for (IBaseFilter* f : order)
            f->Stop();
        state_ = State_Stopped;
        return S_OK;
    }
    for (IBaseFilter* f : order) {
        HRESULT hr = target == State_Running ? f->Run(0) : f->Pause();
        if (FAILED(hr)) {
            ChangeState(State_Stopped);
            return hr;
        }
    }
    state_ = target;
    return S_OK;
}

HRESULT FilterGraph::Run() { return ChangeState(State_Running); }
HRESULT FilterGraph::Pause() { return ChangeState(State_Paused); }
HRESULT FilterGraph::Stop() { return ChangeState(State_Stopped); }

HRESULT FilterGraph::GetState(LONG, OAFilterState* out)
{
    if (!out)
        return E_POINTER;
    *out = state_;
    return S_OK;
}

HRESULT FilterGraph::Notify(LONG code, LONG_PTR param1, LONG_PTR param2)
{
    {
        std::lock_guard<std::mutex> hold(eventsLock_);
        events_.push_back({ code, param1, param2 });
    }
    eventCame_.notify_all();
    return S_OK;
}

HRESULT FilterGraph::GetEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG timeoutMs)
{
    if (!code || !param1 || !param2)
        return E_POINTER;
    std::unique_lock<std::mutex> hold(eventsLock_);
    auto any = [this] { return !events_.empty(); };
    if (timeoutMs < 0)
        eventCame_.wait(hold, any);
    else if (!eventCame_.wait_for(hold, std::chrono::milliseconds(timeoutMs), any))
        return E_ABORT;
    const Event e = events_.front();
    events_.pop_front();
    *code = e.code;
    *param1 = e.param1;
    *param2 = e.param2;
    return S_OK;
}

// No event of ours holds a reference or memory.
HRESULT FilterGraph::FreeEventParams(LONG, LONG_PTR, LONG_PTR) { return S_OK; }

} // namespace dshow
