// The table of creatable classes, guarded for use from any thread.

#include "platform/com/ClassRegistry.h"

#include <mutex>
#include <utility>
#include <vector>

namespace com {

struct ClassRegistry::Impl {
    std::mutex lock;
    std::vector<std::pair<CLSID, ClassFactory>> classes;

    ClassFactory* Slot(const CLSID& clsid)
    {
        for (auto& [id, factory] : classes) {
            if (id == clsid)
                return &factory;
        }
        return nullptr;
    }
};

ClassRegistry::ClassRegistry()
    : impl_(new Impl)
{
}

ClassRegistry& ClassRegistry::Instance()
{
    // Never destroyed: objects may be created while other statics go away.
    // Made on first use, so that libraries may register their classes from
    // their static initialisers in any order.
    static ClassRegistry* registry = new ClassRegistry;
    return *registry;
}

void ClassRegistry::Register(const CLSID& clsid, ClassFactory factory)
{
    std::lock_guard guard(impl_->lock);
    if (ClassFactory* slot = impl_->Slot(clsid))
        *slot = std::move(factory);
    else
        impl_->classes.emplace_back(clsid, std::move(factory));
}

void ClassRegistry::Unregister(const CLSID& clsid)
{
    std::lock_guard guard(impl_->lock);
    std::erase_if(impl_->classes, [&](const auto& entry) { return entry.first == clsid; });
}

ClassFactory ClassRegistry::Find(const CLSID& clsid)
{
    std::lock_guard guard(impl_->lock);
    ClassFactory* slot = impl_->Slot(clsid);
    return slot ? *slot : ClassFactory();
}

std::optional<ClassFactory> ClassRegistry::Current(const CLSID& clsid)
{
    std::lock_guard guard(impl_->lock);
    ClassFactory* slot = impl_->Slot(clsid);
    if (!slot)
        return std::nullopt;
    return *slot;
}

ClassOverride::ClassOverride(const CLSID& clsid, ClassFactory factory)
    : clsid_(clsid)
    , previous_(ClassRegistry::Instance().Current(clsid))
{
    if (factory)
        ClassRegistry::Instance().Register(clsid, std::move(factory));
    else
        ClassRegistry::Instance().Unregister(clsid);
}

ClassOverride::~ClassOverride()
{
    if (previous_)
        ClassRegistry::Instance().Register(clsid_, *previous_);
    else
        ClassRegistry::Instance().Unregister(clsid_);
}

} // namespace com
