#pragma once

// The class library's map from handles to the C++ objects that wrap them.
//
// An object that owns its handle (made with CreatePen, Attach and the like)
// is entered as permanent. Asking for a handle that no object owns (a stock
// object, or the pen a device context held before) makes a temporary wrapper
// that does not own the handle; temporaries live until DeleteTemporaries,
// which the message loop calls when it is idle.
//
// The maps are per thread, as windows and device contexts belong to the
// thread that made them.

#include <memory>
#include <unordered_map>

template <typename Object>
class HandleMap {
public:
    HandleMap() = default;
    // Temporary wrappers never own their handles, also when the thread ends.
    ~HandleMap() { DeleteTemporaries(); }
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;

    void SetPermanent(const void* handle, Object* object) { permanent_[handle] = object; }
    void RemoveHandle(const void* handle)
    {
        permanent_.erase(handle);
        auto it = temporary_.find(handle);
        if (it != temporary_.end()) {
            it->second->ForgetHandle();
            temporary_.erase(it);
        }
    }
    Object* LookupPermanent(const void* handle) const
    {
        auto it = permanent_.find(handle);
        return it == permanent_.end() ? nullptr : it->second;
    }

    // The object for a handle: the permanent one, or a temporary wrapper of
    // type T made by wrap(handle) on first use.
    template <typename T, typename Wrap>
    T* FromHandle(const void* handle, Wrap&& wrap)
    {
        if (!handle)
            return nullptr;
        if (Object* o = LookupPermanent(handle))
            return static_cast<T*>(o);
        auto it = temporary_.find(handle);
        if (it != temporary_.end())
            return static_cast<T*>(it->second.get());
        T* made = wrap(handle);
        temporary_.emplace(handle, std::unique_ptr<Object>(made));
        return made;
    }

    void DeleteTemporaries()
    {
        for (auto& [handle, object] : temporary_)
            object->ForgetHandle();
        temporary_.clear();
    }

    std::size_t TemporaryCount() const { return temporary_.size(); }

private:
    std::unordered_map<const void*, Object*> permanent_;
    std::unordered_map<const void*, std::unique_ptr<Object>> temporary_;
};
