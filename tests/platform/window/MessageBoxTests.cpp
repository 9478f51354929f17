// Message boxes: the answer for Enter, Esc and clicks on each button (Esc
// only where there is a Cancel button), the Chinese captions, the owner
// disabled meanwhile, the box centred over it, and timers and painting of
// other windows kept alive while the box waits.

#include "tests/platform/window/ControlTestSupport.h"

#include <functional>
#include <string>

namespace {

using test::Log;

std::string TextOf(HWND h)
{
    char buffer[64] = {};
    GetWindowText(h, buffer, sizeof buffer);
    return buffer;
}

class MessageBoxTest : public test::ControlTest {
public:
    // The box is the active window while it waits.
    static HWND Box() { return GetActiveWindow(); }

    // Inside a modal loop a press lands where the pointer is when it is
    // made, so the pointer moves to the button in one wait and clicks in
    // the next.
    void ClickButton(int id)
    {
        driver.WhenWaiting([this, id] {
            HWND b = GetDlgItem(Box(), id);
            ASSERT_NE(b, nullptr) << "no button " << id;
            driver.MoveTo(Centre(b));
        });
        driver.WhenWaiting([this] {
            driver.Press();
            driver.Release();
        });
    }
};

TEST_F(MessageBoxTest, AnswersTheButtonChosenByKeyOrClick)
{
    using Step = std::function<void(MessageBoxTest&)>;
    // Each step queues what the user does at the box's next wait.
    auto key = [](UINT vk) -> Step {
        return [vk](MessageBoxTest& t) { t.driver.WhenWaiting([&t, vk] { t.driver.Key(vk); }); };
    };
    auto click = [](int id) -> Step { return [id](MessageBoxTest& t) { t.ClickButton(id); }; };
    const struct {
        UINT type;
        std::vector<Step> steps;
        int answer;
        const char* what;
    } cases[] = {
        { MB_OK, { key(VK_RETURN) }, IDOK, "Enter on OK" },
        { MB_OK, { key(VK_ESCAPE), click(IDOK) }, IDOK, "Esc does nothing without Cancel" },
        { MB_OKCANCEL, { key(VK_RETURN) }, IDOK, "Enter presses the first button" },
        { MB_OKCANCEL, { key(VK_ESCAPE) }, IDCANCEL, "Esc cancels" },
        { MB_OKCANCEL, { click(IDCANCEL) }, IDCANCEL, "a click on Cancel" },
        { MB_YESNO, { key(VK_RETURN) }, IDYES, "Enter on Yes" },
        { MB_YESNO, { click(IDNO) }, IDNO, "a click on No" },
        { MB_YESNO, { key(VK_ESCAPE), key(VK_TAB), key(VK_RETURN) }, IDNO, "Esc ignored; Tab to No, Enter" },
    };
    for (const auto& c : cases) {
        for (const Step& step : c.steps)
            step(*this);
        EXPECT_EQ(MessageBox(parent, "Question?", "Inkveil", c.type), c.answer) << c.what;
        EXPECT_FALSE(driver.StepsLeft()) << c.what;
    }
}

TEST_F(MessageBoxTest, ButtonsAreChineseAndTheFirstIsTheDefault)
{
    struct Seen {
        std::string caption, yes, no, text;
        LRESULT yesCode = 0;
        bool ownerEnabled = true;
        RECT box {}, owner {};
    } seen;
    driver.WhenWaiting([&] {
        HWND box = Box();
        seen.caption = TextOf(box);
        seen.yes = TextOf(GetDlgItem(box, IDYES));
        seen.no = TextOf(GetDlgItem(box, IDNO));
        seen.yesCode = SendMessage(GetDlgItem(box, IDYES), WM_GETDLGCODE, 0, 0);
        seen.ownerEnabled = IsWindowEnabled(parent) != FALSE;
        GetWindowRect(box, &seen.box);
        GetWindowRect(parent, &seen.owner);
    });
    ClickButton(IDYES);
    EXPECT_EQ(MessageBox(parent, "第一行\n第二行", "保存", MB_YESNO), IDYES);
    EXPECT_EQ(seen.caption, "保存");
    EXPECT_EQ(seen.yes, "是");
    EXPECT_EQ(seen.no, "否");
    EXPECT_EQ(seen.yesCode, DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_FALSE(seen.ownerEnabled) << "the owner is disabled while the box is up";
    EXPECT_TRUE(IsWindowEnabled(parent)) << "and enabled again after";
    EXPECT_LE(std::abs((seen.box.left + seen.box.right) - (seen.owner.left + seen.owner.right)), 1);
    EXPECT_LE(std::abs((seen.box.top + seen.box.bottom) - (seen.owner.top + seen.owner.bottom)), 1);

    driver.WhenWaiting([&] {
        EXPECT_EQ(TextOf(GetDlgItem(Box(), IDOK)), "确定");
        EXPECT_EQ(TextOf(GetDlgItem(Box(), IDCANCEL)), "取消");
        driver.Key(VK_ESCAPE);
    });
    EXPECT_EQ(MessageBox(nullptr, "x", nullptr, MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, OtherWindowsKeepTheirTimersAndPaintingWhileItWaits)
{
    HWND other = test::MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 600, 500, 700, 560 }, nullptr, RGB(10, 20, 30));
    driver.Pump();
    SetTimer(other, 9, 100, nullptr);
    Log().Clear();
    int timersSeen = 0;
    COLORREF repainted = 0;
    driver.WaitWhileWaiting(1000);
    driver.WhenWaiting([&] {
        timersSeen = Log().Count(other, WM_TIMER);
        // The window's own handler paints it a new colour from now on.
        test::SetHandler(other, [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (m != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            HBRUSH b = CreateSolidBrush(RGB(250, 0, 0));
            FillRect(dc, &ps.rcPaint, b);
            DeleteObject(b);
            EndPaint(h, &ps);
            return 0;
        });
        InvalidateRect(other, nullptr, TRUE);
    });
    driver.WhenWaiting([&] {
        repainted = driver.PixelAt(650, 530);
        driver.Key(VK_RETURN);
    });
    EXPECT_EQ(MessageBox(parent, "Busy", "Inkveil", MB_OK), IDOK);
    EXPECT_GE(timersSeen, 9) << "a 100 ms timer through a second of waiting";
    EXPECT_EQ(repainted, RGB(250, 0, 0)) << "painting went on under the box";
    KillTimer(other, 9);
}

} // namespace
