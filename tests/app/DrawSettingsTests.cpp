// The shared drawing settings and their vocabularies.

#include "app/InkveilApp.h"
#include "draw/DrawSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(OpacityRule, TruncatesThePercentTimesTheSinglePrecisionConstant)
{
    const struct {
        int percent;
        int alpha;
    } cases[] = { { 0, 0 }, { 1, 2 }, { 50, 127 }, { 60, 152 }, { 80, 203 }, { 100, 254 } };
    for (const auto& c : cases)
        EXPECT_EQ(AlphaFromPercent(c.percent), c.alpha) << c.percent;
}

TEST(OpacityRule, ArgbTakesTheLowByteOfTheAlphaThenRedGreenBlue)
{
    EXPECT_EQ(ArgbFromColorRef(127, RGB(255, 0, 0)), 0x7FFF0000u);
    EXPECT_EQ(ArgbFromColorRef(254, RGB(0x12, 0x34, 0x56)), 0xFE123456u);
    EXPECT_EQ(ArgbFromColorRef(0x1FF, RGB(1, 2, 3)), 0xFF010203u);
}

TEST(SharedSettings, TheApplicationObjectStartsWithRedAtHalfOpacity)
{
    CInkveilApp app;
    ASSERT_EQ(InkveilApp(), &app) << "reached through the current application object";
    EXPECT_EQ(app.m_nAlphaPercent, 50);
    EXPECT_EQ(app.m_crColor, RGB(255, 0, 0));
    EXPECT_EQ(app.m_nPenWidth, 0) << "the palette sets 3 as it starts";
    EXPECT_EQ(app.m_pEraserDlg, nullptr);
    EXPECT_EQ(app.m_pMainDlg, nullptr);
    EXPECT_EQ(app.m_gdiplusToken, 0u);
}

} // namespace
