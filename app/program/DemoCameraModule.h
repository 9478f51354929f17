#pragma once

// The entry points of the emulated camera's loadable library
// (inkveil-democamera.so), which the program opens with dlopen only when it
// is asked for the demonstration, so that the program itself carries no
// emulated device. The library holds the camera and everything it needs;
// the device system it hands out is used through the V4L2 device system's
// interface alone, whose layout both sides take from the same header.

#include "platform/v4l2/DeviceIo.h"

extern "C" {

// Makes the emulated device system for a kind of demonstration: "page"
// (the ruled page with a moving mark, two YUYV sizes and the picture
// controls), "yuyv" or "mjpg" (the 1920x1080 camera of the whole-program
// measurement in that format). Answers null for another kind. The program
// installs what it gets (v4l2::ScopedDeviceSystem) and gives it back to
// inkveil_demo_camera_destroy once no capture graph uses it.
v4l2::DeviceSystem* inkveil_demo_camera_create(const char* kind);
void inkveil_demo_camera_destroy(v4l2::DeviceSystem* system);

using InkveilDemoCameraCreate = v4l2::DeviceSystem* (*)(const char*);
using InkveilDemoCameraDestroy = void (*)(v4l2::DeviceSystem*);
}

// The library's file name, and the names the loader looks the entries up by.
inline constexpr const char kDemoCameraLibrary[] = "inkveil-democamera.so";
inline constexpr const char kDemoCameraCreate[] = "inkveil_demo_camera_create";
inline constexpr const char kDemoCameraDestroy[] = "inkveil_demo_camera_destroy";
