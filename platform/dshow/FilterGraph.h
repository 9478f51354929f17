#pragma once

// The filter graph manager: holds the filters of one graph under their
// names, connects pins (putting a converter between pins that can't meet
// directly), and runs and stops the filters in an order that keeps
// samples from reaching a stopped filter. Filters tell it of events (a
// camera lost while streaming), which its owner reads in order.

#include "platform/com/ComObject.h"
#include "platform/dshow/DShow.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace dshow {

class FilterGraph final : public IGraphBuilder, public IMediaControl, public IMediaEventSink, public IMediaEvent {
public:
    static HRESULT Create(REFIID iid, void** out);

    HRESULT QueryInterface(REFIID iid, void** out) override;
    INKVEIL_COM_REFCOUNT

    HRESULT AddFilter(IBaseFilter* filter, LPCOLESTR name) override;
    HRESULT RemoveFilter(IBaseFilter* filter) override;
    HRESULT EnumFilters(IEnumFilters** out) override;
    HRESULT FindFilterByName(LPCOLESTR name, IBaseFilter** out) override;
    HRESULT ConnectDirect(IPin* out, IPin* in, const AM_MEDIA_TYPE* type) override;
    HRESULT Disconnect(IPin* pin) override;
    HRESULT Connect(IPin* out, IPin* in) override;

    HRESULT Run() override;
    HRESULT Pause() override;
    HRESULT Stop() override;
    HRESULT GetState(LONG timeoutMs, OAFilterState* out) override;

    HRESULT Notify(LONG code, LONG_PTR param1, LONG_PTR param2) override;
    HRESULT GetEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG timeoutMs) override;
    HRESULT FreeEventParams(LONG code, LONG_PTR param1, LONG_PTR param2) override;

private:
    FilterGraph() = default;
    ~FilterGraph();

    struct Entry {
        com::ComPtr<IBaseFilter> filter;
        std::u16string name;
    };
    // Filters without input pins (the sources) last, so that Run starts
    // them after everything downstream is ready.
    std::vector<IBaseFilter*> SourcesLast() const;
    HRESULT ConnectThrough(const CLSID& converter, const char16_t* name, IPin* out, IPin* in,
        const AM_MEDIA_TYPE* type);
    void DisconnectAll(IBaseFilter* filter);
    HRESULT ChangeState(FILTER_STATE target);

    com::RefCount refs_;
    std::vector<Entry> filters_;
    FILTER_STATE state_ = State_Stopped;

    struct Event {
        LONG code;
        LONG_PTR param1, param2;
    };
    // Written by streaming threads, read by the graph's owner.
    std::mutex eventsLock_;
    std::condition_variable eventCame_;
    std::deque<Event> events_;
};

} // namespace dshow
