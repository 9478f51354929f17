#pragma once

// Starts GDI+ for the whole test program and shuts it down at the end.

#include "platform/gdiplus/GdiPlusFlat.h"

#include <gtest/gtest.h>

namespace test {

class GdiplusSession : public ::testing::Environment {
public:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
    }
    void TearDown() override { GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};

} // namespace test
