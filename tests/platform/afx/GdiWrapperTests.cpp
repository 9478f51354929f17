// The class library's wrappers: who owns a handle, and what a selection
// answers.

#include "platform/afx/Dc.h"
#include "platform/afx/Pen.h"
#include "platform/afx/Rect.h"

#include <gtest/gtest.h>

namespace {

TEST(GdiObjectWrappers, AnOwnerDeletesItsHandleAndATemporaryDoesNot)
{
    HPEN handle = nullptr;
    {
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        handle = pen;
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(CPen::FromHandle(handle), &pen) << "the owner is found by its handle";
    }
    EXPECT_EQ(GetObjectType(handle), 0u) << "the owner deleted its pen";

    HPEN loose = ::CreatePen(PS_SOLID, 1, 0);
    CPen* temp = CPen::FromHandle(loose);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CPen::FromHandle(loose), temp) << "one wrapper per handle";
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(GetObjectType(loose), OBJ_PEN) << "a temporary wrapper does not own the pen";
    ::DeleteObject(loose);
}

TEST(GdiObjectWrappers, AttachReplacesAndDetachGivesBack)
{
    CPen pen;
    pen.Attach(::CreatePen(PS_SOLID, 1, 0));
    HGDIOBJ first = pen.m_hObject;
    pen.Attach(::CreatePen(PS_SOLID, 3, 0));
    EXPECT_EQ(GetObjectType(first), 0u) << "attaching again frees the old pen";
    HGDIOBJ second = pen.Detach();
    EXPECT_EQ(pen.m_hObject, nullptr);
    EXPECT_EQ(GetObjectType(second), OBJ_PEN);
    ::DeleteObject(second);
}

TEST(DeviceContextWrapper, SelectAnswersTheWrapperOfWhatWasSelected)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&red);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, GetStockObject(BLACK_PEN)) << "a new DC holds the black pen";
    EXPECT_EQ(dc.SelectObject(old), &red);
    EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
    HDC handle = dc.m_hDC;
    dc.DeleteDC();
    EXPECT_EQ(GetROP2(handle), 0) << "the DC is gone";
    CGdiObject::DeleteTempMap();
}

TEST(RectWrapper, NormaliseAndIntersect)
{
    CRect r(30, 40, 10, 20);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 40));
    CRect i;
    EXPECT_TRUE(i.IntersectRect(r, CRect(25, 0, 100, 22)));
    EXPECT_EQ(i, CRect(25, 20, 30, 22));
    EXPECT_FALSE(i.IntersectRect(r, CRect(30, 20, 40, 40))) << "touching rectangles do not intersect";
    EXPECT_TRUE(i.IsRectEmpty());
}

} // namespace
