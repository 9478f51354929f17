// The classes this filter library provides to CoCreateInstance.

#include "platform/com/ClassRegistry.h"
#include "platform/dshow/ColourConverter.h"
#include "platform/dshow/DeviceEnumerator.h"
#include "platform/dshow/FilterGraph.h"
#include "platform/dshow/SampleGrabber.h"
#include "platform/dshow/VideoRenderer.h"
#include "platform/dshow/Yuy2Converter.h"

namespace com {

void RegisterPlatformClasses(ClassRegistry& registry)
{
    registry.Register(CLSID_SystemDeviceEnum, &dshow::DeviceEnumerator::Create);
    registry.Register(CLSID_FilterGraph, &dshow::FilterGraph::Create);
    registry.Register(CLSID_VideoMixingRenderer, &dshow::VideoRenderer::Create);
    registry.Register(CLSID_Colour, &dshow::ColourConverter::Create);
    registry.Register(CLSID_SampleGrabber, &dshow::SampleGrabber::Create);
    registry.Register(CLSID_Yuy2ToRgb24, &dshow::Yuy2Converter::Create);
}

} // namespace com
