#pragma once

// Helpers shared by every COM object of the platform: a thread-safe
// reference count that deletes the object at zero, QueryInterface over a
// list of implemented interfaces, and a smart pointer that releases.

#include "platform/com/ComTypes.h"

#include <atomic>
#include <cassert>
#include <utility>

namespace com {

// Objects are created with one reference, owned by their creator.
class RefCount {
public:
    ULONG Add() { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }
    // Answers the count left; the caller deletes itself at zero.
    ULONG Drop()
    {
        ULONG left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        assert(left != ULONG(-1) && "released more often than referenced");
        return left;
    }

private:
    std::atomic<ULONG> refs_ { 1 };
};

// QueryInterface for an object implementing the interfaces Is...: IUnknown
// maps to the first of them. A reference is added on success.
template <class First, class... Rest, class T>
HRESULT QueryInterfaceOf(T* self, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    IUnknown* found = nullptr;
    if (iid == IID_IUnknown || iid == First::kIid)
        found = static_cast<First*>(self);
    ((found == nullptr && iid == Rest::kIid ? void(found = static_cast<Rest*>(self)) : void()), ...);
    if (!found)
        return E_NOINTERFACE;
    found->AddRef();
    *out = found;
    return S_OK;
}

// Owns one reference.
template <class I>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) { }
    // Takes over a reference the caller already owns.
    static ComPtr Attach(I* p)
    {
        ComPtr r;
        r.p_ = p;
        return r;
    }
    // Adds a reference of its own.
    static ComPtr Share(I* p)
    {
        if (p)
            p->AddRef();
        return Attach(p);
    }
    ComPtr(const ComPtr& o)
        : p_(o.p_)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept
        : p_(std::exchange(o.p_, nullptr))
    {
    }
    ComPtr& operator=(ComPtr o) noexcept
    {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset()
    {
        if (I* p = std::exchange(p_, nullptr))
            p->Release();
    }
    I* Get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out parameters: releases what is held first.
    I** Out()
    {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    // Hands the reference to the caller.
    I* Detach() { return std::exchange(p_, nullptr); }

    template <class J>
    ComPtr<J> As() const
    {
        ComPtr<J> r;
        if (p_)
            p_->QueryInterface(J::kIid, r.OutVoid());
        return r;
    }

private:
    I* p_ = nullptr;
};

} // namespace com

// AddRef and Release of a class holding a com::RefCount named refs_.
#define INKVEIL_COM_REFCOUNT                                                                                           \
    ULONG AddRef() override { return refs_.Add(); }                                                                    \
    ULONG Release() override                                                                                           \
    {                                                                                                                  \
        ULONG left = refs_.Drop();                                                                                     \
        if (left == 0)                                                                                                 \
            delete this;                                                                                               \
        return left;                                                                                                   \
    }
