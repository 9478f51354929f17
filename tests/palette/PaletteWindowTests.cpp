// The palette window: where it sits, what it offers at start, auto-hide at
// the right screen edge, and closing.

#include "tests/palette/PaletteTestSupport.h"

#include <gtest/gtest.h>

namespace {

using test::PaletteTest;

TEST_F(PaletteTest, Probe)
{
    Step([&] {
        ASSERT_NE(Palette(), nullptr);
        CRect r;
        Palette()->GetWindowRect(&r);
        printf("palette %ld %ld %ld %ld visible %d\n", (long)r.left, (long)r.top, (long)r.right, (long)r.bottom, Palette()->IsWindowVisible());
        CRect d; ::GetWindowRect(::GetDesktopWindow(), &d);
        printf("desktop %ld %ld %ld %ld\n", (long)d.left, (long)d.top, (long)d.right, (long)d.bottom);
        CRect m; Main()->GetWindowRect(&m); POINT o{0,0}; Main()->ClientToScreen(&o);
        printf("main %ld %ld %ld %ld client origin %ld %ld\n", (long)m.left, (long)m.top, (long)m.right, (long)m.bottom, (long)o.x, (long)o.y);
        CloseProgram();
    });
    EXPECT_EQ(Run(), 0);
}

} // namespace
