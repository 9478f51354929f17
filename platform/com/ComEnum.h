#pragma once

// An enumerator over a snapshot of items, the common shape of IEnumMoniker,
// IEnumPins, IEnumFilters and IEnumMediaTypes: Next hands out copies the
// caller owns, Skip and Reset move the position, Clone copies snapshot and
// position.

#include "platform/com/ComObject.h"

#include <vector>

namespace com {

// How an enumerator hands out one item; null means out of memory.
// Interface pointers go out as new references; other item types specialise
// this next to their own definition.
template <class Item>
struct EnumItem;

template <class I>
struct EnumItem<ComPtr<I>> {
    static I* HandOut(const ComPtr<I>& item) { return ComPtr<I>(item).Detach(); }
};

template <class IEnum, class IElem, class Item = ComPtr<IElem>>
class ComEnum final : public IEnum {
public:
    explicit ComEnum(std::vector<Item> items, std::size_t pos = 0)
        : items_(std::move(items))
        , pos_(pos)
    {
    }

    HRESULT QueryInterface(REFIID iid, void** out) override { return QueryInterfaceOf<IEnum>(this, iid, out); }
    INKVEIL_COM_REFCOUNT

    HRESULT Next(ULONG count, IElem** out, ULONG* fetched) override
    {
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        ULONG n = 0;
        while (n < count && pos_ < items_.size()) {
            out[n] = EnumItem<Item>::HandOut(items_[pos_++]);
            if (!out[n])
                return E_OUTOFMEMORY;
            ++n;
        }
        if (fetched)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG count) override
    {
        std::size_t left = items_.size() - pos_;
        pos_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT Reset() override
    {
        pos_ = 0;
        return S_OK;
    }
    HRESULT Clone(IEnum** out) override
    {
        if (!out)
            return E_POINTER;
        *out = new ComEnum(items_, pos_);
        return S_OK;
    }

private:
    ~ComEnum() = default;
    RefCount refs_;
    std::vector<Item> items_;
    std::size_t pos_;
};

} // namespace com
