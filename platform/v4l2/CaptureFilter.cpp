// Format negotiation, the streaming thread and the amplifier controls of
// the V4L2 capture filter.

#include "platform/v4l2/CaptureFilter.h"

#include "platform/log/Log.h"
#include "platform/v4l2/StreamDiagnostics.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <linux/videodev2.h>

namespace v4l2 {

namespace {

constexpr std::uint32_t kBufferCount = 4;
// How long one wait for a frame lasts; stopping wakes it at once.
constexpr int kPollMs = 2000;
constexpr int kMaxIoErrors = 5;
constexpr int kIoRetryMs = 20;

// The output pin also offers the stream configuration of its filter.
class CapturePin final : public dshow::Pin, public IAMStreamConfig {
public:
    CapturePin(CaptureFilter& owner, dshow::PinBehaviour behaviour)
        : Pin(owner, PINDIR_OUTPUT, u"Capture", std::move(behaviour))
        , owner_(owner)
    {
    }
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        HRESULT hr = Pin::QueryInterface(iid, out);
        if (hr != E_NOINTERFACE || iid != IAMStreamConfig::kIid)
            return hr;
        *out = static_cast<IAMStreamConfig*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return Pin::AddRef(); }
    ULONG Release() override { return Pin::Release(); }
    HRESULT SetFormat(AM_MEDIA_TYPE* type) override { return owner_.SetFormat(type); }
    HRESULT GetFormat(AM_MEDIA_TYPE** out) override { return owner_.GetFormat(out); }

private:
    CaptureFilter& owner_;
};

std::uint32_t ControlOf(LONG property)
{
    switch (property) {
    case VideoProcAmp_Brightness:
        return V4L2_CID_BRIGHTNESS;
    case VideoProcAmp_Contrast:
        return V4L2_CID_CONTRAST;
    case VideoProcAmp_Hue:
        return V4L2_CID_HUE;
    case VideoProcAmp_Saturation:
        return V4L2_CID_SATURATION;
    case VideoProcAmp_Sharpness:
        return V4L2_CID_SHARPNESS;
    case VideoProcAmp_Gamma:
        return V4L2_CID_GAMMA;
    case VideoProcAmp_WhiteBalance:
        return V4L2_CID_WHITE_BALANCE_TEMPERATURE;
    case VideoProcAmp_BacklightCompensation:
        return V4L2_CID_BACKLIGHT_COMPENSATION;
    case VideoProcAmp_Gain:
        return V4L2_CID_GAIN;
    default:
        return 0;
    }
}

HRESULT FromErrno(int negated) { return HResultFromErrno(-negated); }

// What the log says of a format the driver refused or changed.
void LogFormatRefused(const std::string& path, const char* what, std::uint32_t fourcc, std::uint32_t width,
    std::uint32_t height, int result, const CurrentFormat& got)
{
    if (result != 0)
        INKVEIL_LOG(Warn, "camera %s: %s %s %ux%u refused: %s", path.c_str(), what, FourCcText(fourcc).c_str(), width,
            height, std::strerror(-result));
    else
        INKVEIL_LOG(Warn, "camera %s: %s %s %ux%u asked, the driver chose %s %ux%u", path.c_str(), what,
            FourCcText(fourcc).c_str(), width, height, FourCcText(got.fourcc).c_str(), got.width, got.height);
}

} // namespace

GUID SubtypeOf(std::uint32_t fourcc)
{
    if (fourcc == V4L2_PIX_FMT_YUYV)
        return MEDIASUBTYPE_YUY2;
    return FourCcGuid(fourcc); // MJPG and the rest keep their own code
}

std::uint32_t FourCcOf(const GUID& subtype)
{
    if (subtype == MEDIASUBTYPE_YUY2)
        return V4L2_PIX_FMT_YUYV;
    GUID pattern = FourCcGuid(subtype.Data1);
    return pattern == subtype ? subtype.Data1 : 0;
}

HRESULT CaptureFilter::Create(const std::string& path, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    int error = 0;
    std::unique_ptr<Device> device = Device::Open(path, error);
    if (!device) {
        INKVEIL_LOG(Warn, "camera %s: cannot open: %s", path.c_str(), std::strerror(-error));
        return FromErrno(error); // EBUSY: another program holds the camera
    }
    if (!device->CapturesVideo())
        return VFW_E_NOT_FOUND;
    auto* filter = new CaptureFilter(path, std::move(device));
    HRESULT hr = filter->BaseFilter::QueryInterface(iid, out);
    filter->BaseFilter::Release();
    return hr;
}

CaptureFilter::CaptureFilter(std::string path, std::unique_ptr<Device> device)
    : path_(std::move(path))
    , device_(std::move(device))
    , formats_(device_->Formats())
{
    dshow::PinBehaviour out;
    out.check = [this](const AM_MEDIA_TYPE& t) { return CheckType(t); };
    out.preferred = [this] { return Types(); };
    out.connected = [this] { return ApplyConnectionType(); };
    pin_ = &AddPin(std::make_unique<CapturePin>(*this, std::move(out)));
}

CaptureFilter::~CaptureFilter() { OnStop(); }

HRESULT CaptureFilter::QueryExtra(REFIID iid, void** out)
{
    if (iid != IAMVideoProcAmp::kIid)
        return E_NOINTERFACE;
    *out = static_cast<IAMVideoProcAmp*>(this);
    AddRef();
    return S_OK;
}

dshow::MediaType CaptureFilter::TypeOf(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height) const
{
    bool packed = fourcc == V4L2_PIX_FMT_YUYV;
    DWORD compression = packed ? 0x32595559u /* 'YUY2' */ : fourcc;
    dshow::MediaType type = dshow::MediaType::Video(SubtypeOf(fourcc), static_cast<int>(width),
        static_cast<int>(height), packed ? 16 : 24, compression);
    return type;
}

std::vector<dshow::MediaType> CaptureFilter::Types()
{
    std::vector<dshow::MediaType> types;
    CurrentFormat now;
    if (device_->GetFormat(now) == 0)
        types.push_back(TypeOf(now.fourcc, now.width, now.height));
    for (const PixelFormat& f : formats_) {
        for (const FrameSize& s : f.sizes) {
            if (!(f.fourcc == now.fourcc && s.width == now.width && s.height == now.height))
                types.push_back(TypeOf(f.fourcc, s.width, s.height));
        }
    }
    return types;
}

HRESULT CaptureFilter::CheckType(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* vih = dshow::MediaType::VideoInfoOf(type);
    std::uint32_t fourcc = FourCcOf(type.subtype);
    if (type.majortype != MEDIATYPE_Video || !vih || fourcc == 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    auto width = static_cast<std::uint32_t>(vih->bmiHeader.biWidth);
    auto height = static_cast<std::uint32_t>(
        vih->bmiHeader.biHeight < 0 ? -vih->bmiHeader.biHeight : vih->bmiHeader.biHeight);
    for (const PixelFormat& f : formats_) {
        for (const FrameSize& s : f.sizes) {
            if (f.fourcc == fourcc && s.width == width && s.height == height)
                return S_OK;
        }
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

// Puts the device into the format the pin connected with.
HRESULT CaptureFilter::ApplyConnectionType()
{
    const AM_MEDIA_TYPE& type = pin_->Type().Get();
    const BITMAPINFOHEADER& h = pin_->Type().VideoInfo()->bmiHeader;
    std::uint32_t fourcc = FourCcOf(type.subtype);
    auto width = static_cast<std::uint32_t>(h.biWidth);
    auto height = static_cast<std::uint32_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    CurrentFormat now;
    if (device_->GetFormat(now) == 0 && now.fourcc == fourcc && now.width == width && now.height == height)
        return S_OK;
    int r = device_->SetFormat(fourcc, width, height, now);
    if (r == 0 && now.fourcc == fourcc && now.width == width && now.height == height)
        return S_OK;
    LogFormatRefused(path_, "connection format", fourcc, width, height, r, now);
    return r ? FromErrno(r) : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CaptureFilter::SetFormat(AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    // A connected pin keeps its type; the graph would have to reconnect.
    if (pin_->IsConnected())
        return VFW_E_WRONG_STATE;
    if (FAILED(CheckType(*type)))
        return VFW_E_INVALIDMEDIATYPE;
    const BITMAPINFOHEADER& h = dshow::MediaType::VideoInfoOf(*type)->bmiHeader;
    auto width = static_cast<std::uint32_t>(h.biWidth);
    auto height = static_cast<std::uint32_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    std::uint32_t fourcc = FasterFormat(FourCcOf(type->subtype), width, height);
    CurrentFormat now;
    int r = device_->SetFormat(fourcc, width, height, now);
    if (r == 0 && now.fourcc == fourcc && now.width == width && now.height == height)
        return S_OK;
    LogFormatRefused(path_, "format", fourcc, width, height, r, now);
    return r ? FromErrno(r) : VFW_E_INVALIDMEDIATYPE;
}

std::uint32_t CaptureFilter::FasterFormat(std::uint32_t fourcc, std::uint32_t width, std::uint32_t height)
{
    // Most USB cameras send YUYV at large sizes only a few frames a second
    // (the bus can't carry more) and MJPG at full rate. The frames reach
    // the graph decoded to RGB24 at the same size either way.
    if (fourcc != V4L2_PIX_FMT_YUYV)
        return fourcc;
    bool offered = false;
    for (const PixelFormat& f : formats_) {
        if (f.fourcc == V4L2_PIX_FMT_MJPEG)
            offered = std::find(f.sizes.begin(), f.sizes.end(), FrameSize { width, height }) != f.sizes.end();
    }
    if (!offered)
        return fourcc;
    double yuyv = device_->MaxFrameRate(V4L2_PIX_FMT_YUYV, width, height);
    double mjpg = device_->MaxFrameRate(V4L2_PIX_FMT_MJPEG, width, height);
    if (mjpg <= yuyv)
        return fourcc;
    INKVEIL_LOG(Info, "camera %s: %ux%u streamed as MJPG (%g frames a second) rather than YUYV (%g)", path_.c_str(),
        width, height, mjpg, yuyv);
    return V4L2_PIX_FMT_MJPEG;
}

HRESULT CaptureFilter::GetFormat(AM_MEDIA_TYPE** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    CurrentFormat now;
    if (int r = device_->GetFormat(now))
        return FromErrno(r);
    *out = CreateMediaType(&TypeOf(now.fourcc, now.width, now.height).Get());
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT CaptureFilter::OnStart()
{
    // An unconnected capture pin has nowhere to send frames.
    if (!pin_->IsConnected())
        return S_OK;
    CurrentFormat format;
    if (int r = device_->GetFormat(format)) {
        INKVEIL_LOG(Warn, "camera %s: format unreadable: %s", path_.c_str(), std::strerror(-r));
        return FromErrno(r);
    }
    if (int r = device_->StartStreaming(kBufferCount)) {
        INKVEIL_LOG(Warn, "camera %s: streaming refused: %s", path_.c_str(), std::strerror(-r));
        return FromErrno(r);
    }
    stop_.store(false);
    alive_.store(true);
    thread_ = std::thread([this, format] { Stream(format); });
    return S_OK;
}

void CaptureFilter::OnStop()
{
    if (thread_.joinable()) {
        stop_.store(true);
        device_->Wake();
        thread_.join();
    }
    device_->StopStreaming();
}

void CaptureFilter::Stream(CurrentFormat format)
{
    const auto started = std::chrono::steady_clock::now();
    const bool yuyv = format.fourcc == V4L2_PIX_FMT_YUYV;
    const std::size_t rowBytes = static_cast<std::size_t>(format.width) * 2;
    // Rows are bytesperline apart; some drivers pad them.
    const std::size_t stride = yuyv && format.bytesPerLine > rowBytes ? format.bytesPerLine : rowBytes;
    const bool padded = yuyv && stride > rowBytes;
    const std::size_t frameBytes = yuyv ? rowBytes * format.height : format.sizeImage;
    // A YUYV buffer shorter than its last row's end holds no whole picture.
    const std::size_t needed = yuyv && format.height > 0 ? stride * (format.height - 1) + rowBytes : 1;
    if (padded)
        packed_.resize(frameBytes); // once per stream, not per frame
    dshow::Sample& sample = pin_->OutputSample();
    StreamDiagnostics diagnostics(path_, format);
    int ioErrors = 0;
    int lost = 0; // the negated errno that ended the stream by itself
    while (!stop_.load()) {
        Frame frame;
        WaitResult r = device_->NextFrame(kPollMs, frame);
        if (r == WaitResult::Gone) {
            diagnostics.Lost(-ENODEV);
            lost = -ENODEV;
            break; // the last picture stays; choosing the camera again restarts
        }
        if (r == WaitResult::IoError) {
            // EIO can pass (a USB hiccup); many in a row mean the camera is lost.
            if (++ioErrors > kMaxIoErrors) {
                diagnostics.Lost(-EIO);
                lost = -EIO;
                break;
            }
            diagnostics.IoError(ioErrors, kMaxIoErrors);
            std::this_thread::sleep_for(std::chrono::milliseconds(kIoRetryMs));
            continue;
        }
        if (r == WaitResult::Dropped)
            diagnostics.Damaged();
        // A time-out keeps the last picture on screen and waits again (the
        // wait ends at once when the graph stops).
        if (r == WaitResult::Timeout && !stop_.load())
            diagnostics.Timeout();
        if (r != WaitResult::Frame)
            continue;
        ioErrors = 0;
        if (frame.bytes < needed) {
            diagnostics.Short(frame.bytes, needed);
            dropped_.fetch_add(1);
            if (int q = device_->Requeue(frame)) {
                diagnostics.Lost(q);
                lost = q;
                break;
            }
            continue;
        }
        diagnostics.Received();
        if (padded) {
            for (std::uint32_t y = 0; y < format.height; ++y)
                std::memcpy(packed_.data() + y * rowBytes, frame.data + y * stride, rowBytes);
            sample.Borrow(packed_.data(), frameBytes);
        } else {
            sample.Borrow(const_cast<BYTE*>(frame.data), frame.bytes < frameBytes ? frame.bytes : frameBytes);
        }
        auto since = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
        REFERENCE_TIME start = since.count() * 10;
        sample.SetTimes(start, start);
        pin_->Deliver(&sample);
        diagnostics.HandedOn();
        if (int q = device_->Requeue(frame)) {
            diagnostics.Lost(q);
            lost = q;
            break;
        }
    }
    alive_.store(false);
    // The graph's owner learns that no picture will come until the camera
    // is opened again; a stop asked for is no loss.
    if (lost != 0)
        TellGraphLost(lost);
}

void CaptureFilter::TellGraphLost(int error)
{
    IFilterGraph* graph = Graph();
    IMediaEventSink* sink = nullptr;
    if (!graph || FAILED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink))))
        return;
    if (error == -ENODEV)
        sink->Notify(EC_DEVICE_LOST, 0, 0);
    else
        sink->Notify(EC_ERRORABORT, FromErrno(error), 0);
    sink->Release();
}

HRESULT CaptureFilter::GetRange(LONG property, LONG* min, LONG* max, LONG* step, LONG* deflt, LONG* caps)
{
    if (!min || !max || !step || !deflt || !caps)
        return E_POINTER;
    std::uint32_t id = ControlOf(property);
    ControlRange range;
    if (id == 0 || device_->QueryControl(id, range) != 0)
        return E_PROP_ID_UNSUPPORTED;
    *min = range.minimum;
    *max = range.maximum;
    *step = range.step;
    *deflt = range.defaultValue;
    *caps = VideoProcAmp_Flags_Manual;
    return S_OK;
}

HRESULT CaptureFilter::Set(LONG property, LONG value, LONG flags)
{
    std::uint32_t id = ControlOf(property);
    if (id == 0)
        return E_PROP_ID_UNSUPPORTED;
    if (flags != VideoProcAmp_Flags_Manual)
        return E_INVALIDARG;
    int r = device_->SetControl(id, value);
    if (r != 0)
        INKVEIL_LOG_LIMITED(controlLimit_, Warn, "camera %s: control %#x would not set to %ld: %s", path_.c_str(), id,
            static_cast<long>(value), std::strerror(-r));
    if (r == -EINVAL)
        return E_PROP_ID_UNSUPPORTED;
    return r ? FromErrno(r) : S_OK;
}

HRESULT CaptureFilter::Get(LONG property, LONG* value, LONG* flags)
{
    if (!value || !flags)
        return E_POINTER;
    std::uint32_t id = ControlOf(property);
    if (id == 0)
        return E_PROP_ID_UNSUPPORTED;
    std::int32_t v = 0;
    int r = device_->GetControl(id, v);
    if (r == -EINVAL)
        return E_PROP_ID_UNSUPPORTED;
    if (r)
        return FromErrno(r);
    *value = v;
    *flags = VideoProcAmp_Flags_Manual;
    return S_OK;
}

} // namespace v4l2
