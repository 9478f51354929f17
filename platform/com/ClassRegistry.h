#pragma once

// The in-process classes CoCreateInstance can create. A library of classes
// registers its own as the program starts (the DirectShow filters do); a
// program (or a test) may register further classes, or replace and remove
// ones, for the life of a ClassOverride.

#include "platform/com/ComTypes.h"

#include <functional>
#include <optional>

namespace com {

// Creates one object and answers the interface asked for.
using ClassFactory = std::function<HRESULT(REFIID iid, void** out)>;

class ClassRegistry {
public:
    static ClassRegistry& Instance();

    void Register(const CLSID& clsid, ClassFactory factory);
    void Unregister(const CLSID& clsid);
    // The factory of a class, or an empty one when the class is unknown.
    ClassFactory Find(const CLSID& clsid);
    // What is registered for a class now (empty optional: nothing).
    std::optional<ClassFactory> Current(const CLSID& clsid);

private:
    ClassRegistry();
    struct Impl;
    Impl* impl_;
};

// Replaces one class (or removes it, with an empty factory) and restores
// what was there when it goes.
class ClassOverride {
public:
    ClassOverride(const CLSID& clsid, ClassFactory factory);
    ~ClassOverride();
    ClassOverride(const ClassOverride&) = delete;
    ClassOverride& operator=(const ClassOverride&) = delete;

private:
    CLSID clsid_;
    std::optional<ClassFactory> previous_;
};

} // namespace com
