// The classes this filter library provides to CoCreateInstance.

#include "platform/com/ClassRegistry.h"
#include "platform/dshow/ColourConverter.h"
#include "platform/dshow/DeviceEnumerator.h"
#include "platform/dshow/FilterGraph.h"
#include "platform/dshow/MjpgDecompressor.h"
#include "platform/dshow/SampleGrabber.h"
#include "platform/dshow/VideoRenderer.h"
#include "platform/dshow/Yuy2Converter.h"

namespace dshow {

namespace {

// Registers the filters' classes as the program starts, so that the class
// registry below this library never names them. The library is linked
// whole (see platform/CMakeLists.txt), or this object, which nothing calls,
// would be left out.
[[maybe_unused]] const bool registered = [] {
    com::ClassRegistry& registry = com::ClassRegistry::Instance();
    registry.Register(CLSID_SystemDeviceEnum, &DeviceEnumerator::Create);
    registry.Register(CLSID_FilterGraph, &FilterGraph::Create);
    registry.Register(CLSID_VideoMixingRenderer, &VideoRenderer::Create);
    registry.Register(CLSID_Colour, &ColourConverter::Create);
    registry.Register(CLSID_SampleGrabber, &SampleGrabber::Create);
    registry.Register(CLSID_Yuy2ToRgb24, &Yuy2Converter::Create);
    registry.Register(CLSID_MjpgToRgb24, &MjpgDecompressor::Create);
    return true;
}();

} // namespace

} // namespace dshow
