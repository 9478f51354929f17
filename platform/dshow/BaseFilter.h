#pragma once

// What every filter of the platform shares: the reference count, the name
// and graph it joined, its state, and its pins (owned; they share the
// filter's count). Subclasses react to state changes and may offer more
// interfaces.

#include "platform/com/ComObject.h"
#include "platform/dshow/Pin.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace dshow {

class BaseFilter : public IBaseFilter {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override;
    INKVEIL_COM_REFCOUNT

    HRESULT Stop() override;
    HRESULT Pause() override;
    HRESULT Run(REFERENCE_TIME start) override;
    HRESULT GetState(DWORD timeoutMs, FILTER_STATE* out) override;
    HRESULT EnumPins(IEnumPins** out) override;
    HRESULT QueryFilterInfo(FILTER_INFO* out) override;
    HRESULT JoinFilterGraph(IFilterGraph* graph, LPCOLESTR name) override;

    FILTER_STATE State() const { return state_.load(std::memory_order_acquire); }
    IFilterGraph* Graph() const { return graph_; }

protected:
    BaseFilter() = default;
    virtual ~BaseFilter() = default;

    Pin& AddPin(std::unique_ptr<Pin> pin);
    // Further interfaces of a subclass; out is set and referenced on S_OK.
    virtual HRESULT QueryExtra(REFIID iid, void** out) { return E_NOINTERFACE; }
    // Called on the way from stopped to paused or running, and back.
    virtual HRESULT OnStart() { return S_OK; }
    virtual void OnStop() { }

    com::RefCount refs_;

private:
    std::vector<std::unique_ptr<Pin>> pins_;
    std::atomic<FILTER_STATE> state_ { State_Stopped };
    IFilterGraph* graph_ = nullptr;
    std::u16string name_;
};

// Copies a name into a fixed array, cut to fit and terminated.
void CopyName(WCHAR* out, std::size_t capacity, const std::u16string& name);

} // namespace dshow
