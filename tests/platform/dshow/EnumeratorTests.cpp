// The shared COM enumerator through one of its real uses, a pin's media
// types: Next hands out copies the caller owns, a partial Next answers
// S_FALSE with the count it fetched, Skip stops at the end, Reset starts
// again and Clone copies the position but not the future.

#include "platform/com/ComObject.h"
#include "platform/dshow/MediaType.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using com::ComPtr;

// Five types told apart by their widths 10, 20, ... 50.
ComPtr<IEnumMediaTypes> FiveTypes()
{
    std::vector<dshow::MediaType> types;
    for (int i = 1; i <= 5; ++i)
        types.push_back(dshow::MediaType::Video(MEDIASUBTYPE_RGB32, i * 10, 4, 32, BI_RGB));
    return ComPtr<IEnumMediaTypes>::Attach(dshow::NewMediaTypeEnum(std::move(types)));
}

// The widths of what Next(count) hands out, freeing each; fetched and the
// result come back too.
std::vector<LONG> Take(IEnumMediaTypes* e, ULONG count, ULONG* fetched, HRESULT* hr)
{
    std::vector<AM_MEDIA_TYPE*> out(count, nullptr);
    *hr = e->Next(count, out.data(), fetched);
    std::vector<LONG> widths;
    for (ULONG i = 0; i < *fetched; ++i) {
        widths.push_back(dshow::MediaType::VideoInfoOf(*out[i])->bmiHeader.biWidth);
        DeleteMediaType(out[i]);
    }
    return widths;
}

TEST(ComEnumerator, APartialNextFetchesWhatIsLeftAndSaysSFalse)
{
    auto e = FiveTypes();
    ULONG fetched = 99;
    HRESULT hr = E_FAIL;
    EXPECT_EQ(Take(e.Get(), 2, &fetched, &hr), (std::vector<LONG> { 10, 20 }));
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(Take(e.Get(), 4, &fetched, &hr), (std::vector<LONG> { 30, 40, 50 }));
    EXPECT_EQ(hr, S_FALSE);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(Take(e.Get(), 1, &fetched, &hr), std::vector<LONG> {});
    EXPECT_EQ(hr, S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

TEST(ComEnumerator, NextWantsACountOutForMoreThanOneAndAnArray)
{
    auto e = FiveTypes();
    AM_MEDIA_TYPE* out[2] = {};
    EXPECT_EQ(e->Next(2, out, nullptr), E_POINTER);
    EXPECT_EQ(e->Next(1, nullptr, nullptr), E_POINTER);
    ASSERT_EQ(e->Next(1, out, nullptr), S_OK) << "one at a time needs no count";
    EXPECT_EQ(dshow::MediaType::VideoInfoOf(*out[0])->bmiHeader.biWidth, 10);
    DeleteMediaType(out[0]);
}

TEST(ComEnumerator, SkipStopsAtTheEndAndResetStartsAgain)
{
    struct Row {
        ULONG skip;
        HRESULT result;
        LONG next; // 0: nothing left
    };
    const Row rows[] = { { 0, S_OK, 10 }, { 3, S_OK, 40 }, { 5, S_OK, 0 }, { 6, S_FALSE, 0 }, { 1000, S_FALSE, 0 } };
    auto e = FiveTypes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.skip);
        ASSERT_EQ(e->Reset(), S_OK);
        EXPECT_EQ(e->Skip(row.skip), row.result);
        ULONG fetched = 0;
        HRESULT hr;
        auto got = Take(e.Get(), 1, &fetched, &hr);
        EXPECT_EQ(got, row.next ? std::vector<LONG> { row.next } : std::vector<LONG> {});
    }
}

TEST(ComEnumerator, ACloneStartsWhereTheOriginalIsAndMovesOnItsOwn)
{
    auto e = FiveTypes();
    ASSERT_EQ(e->Skip(2), S_OK);
    ComPtr<IEnumMediaTypes> clone;
    ASSERT_EQ(e->Clone(clone.Out()), S_OK);
    EXPECT_EQ(e->Clone(nullptr), E_POINTER);
    ULONG fetched = 0;
    HRESULT hr;
    EXPECT_EQ(Take(clone.Get(), 5, &fetched, &hr), (std::vector<LONG> { 30, 40, 50 }));
    EXPECT_EQ(Take(e.Get(), 1, &fetched, &hr), std::vector<LONG> { 30 }) << "the original has not moved";
    clone->Reset();
    EXPECT_EQ(Take(clone.Get(), 1, &fetched, &hr), std::vector<LONG> { 10 });
    EXPECT_EQ(Take(e.Get(), 1, &fetched, &hr), std::vector<LONG> { 40 });
}

TEST(ComEnumerator, WhatNextHandsOutOutlivesTheEnumerator)
{
    AM_MEDIA_TYPE* kept = nullptr;
    {
        auto e = FiveTypes();
        ASSERT_EQ(e->Next(1, &kept, nullptr), S_OK);
    }
    // The enumerator and its snapshot are gone; the copy is the caller's.
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(dshow::MediaType::VideoInfoOf(*kept)->bmiHeader.biWidth, 10);
    DeleteMediaType(kept);
}

} // namespace
