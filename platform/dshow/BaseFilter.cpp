// State, pins and identity shared by the platform's filters.

#include "platform/dshow/BaseFilter.h"

#include "platform/com/ComEnum.h"

namespace dshow {

void CopyName(WCHAR* out, std::size_t capacity, const std::u16string& name)
{
    std::size_t n = name.size() < capacity - 1 ? name.size() : capacity - 1;
    name.copy(out, n);
    out[n] = 0;
}

HRESULT BaseFilter::QueryInterface(REFIID iid, void** out)
{
    HRESULT hr = com::QueryInterfaceOf<IBaseFilter, IMediaFilter>(this, iid, out);
    return hr == E_NOINTERFACE ? QueryExtra(iid, out) : hr;
}

HRESULT BaseFilter::Stop()
{
    FILTER_STATE was = state_.exchange(State_Stopped, std::memory_order_acq_rel);
    if (was != State_Stopped)
        OnStop();
    return S_OK;
}

HRESULT BaseFilter::Pause()
{
    if (state_.load() == State_Stopped) {
        HRESULT hr = OnStart();
        if (FAILED(hr))
            return hr;
    }
    state_.store(State_Paused, std::memory_order_release);
    return S_OK;
}

HRESULT BaseFilter::Run(REFERENCE_TIME)
{
    if (state_.load() == State_Stopped) {
        // The state is running before the source starts, so the first
        // sample finds every filter ready to take it.
        state_.store(State_Running, std::memory_order_release);
        HRESULT hr = OnStart();
        if (FAILED(hr)) {
            state_.store(State_Stopped, std::memory_order_release);
            return hr;
        }
    }
    state_.store(State_Running, std::memory_order_release);
    return S_OK;
}

HRESULT BaseFilter::GetState(DWORD, FILTER_STATE* out)
{
    if (!out)
        return E_POINTER;
    *out = state_.load(std::memory_order_acquire);
    return S_OK;
}

HRESULT BaseFilter::EnumPins(IEnumPins** out)
{
    if (!out)
        return E_POINTER;
    std::vector<com::ComPtr<IPin>> pins;
    for (auto& pin : pins_)
        pins.push_back(com::ComPtr<IPin>::Share(pin.get()));
    *out = new com::ComEnum<IEnumPins, IPin>(std::move(pins));
    return S_OK;
}

HRESULT BaseFilter::QueryFilterInfo(FILTER_INFO* out)
{
    if (!out)
        return E_POINTER;
    CopyName(out->achName, MAX_FILTER_NAME, name_);
    out->pGraph = graph_;
    if (graph_)
        graph_->AddRef();
    return S_OK;
}

HRESULT BaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCOLESTR name)
{
    graph_ = graph;
    name_ = name ? std::u16string(name) : std::u16string();
    return S_OK;
}

Pin& BaseFilter::AddPin(std::unique_ptr<Pin> pin)
{
    pins_.push_back(std::move(pin));
    return *pins_.back();
}

} // namespace dshow
