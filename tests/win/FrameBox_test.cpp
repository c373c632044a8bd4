#include "controls/FrameBox.h"

#include "TestWindows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {
struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What the parent window received, and what it answers to the messages the box passes on.
std::vector<ReceivedMessage> parentMessages;
const LRESULT parentAnswer = 0x5A;
HBRUSH ParentBrush() { return GetSysColorBrush(COLOR_INFOBK); }

bool IsRecorded(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return true;
    default:
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsRecorded(message))
        return DefWindowProcA(window, message, wParam, lParam);
    parentMessages.push_back({message, wParam, lParam});
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return reinterpret_cast<LRESULT>(ParentBrush());
    return parentAnswer;
}

HWND CreateParent(DWORD style = WS_POPUP)
{
    RegisterTestWindowClass("FrameBoxTestParent", ParentProc);
    parentMessages.clear();
    return CreateWindowExA(0, "FrameBoxTestParent", "", style, 100, 100, 400, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

LONG StyleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

bool ParentGot(UINT message)
{
    for (const ReceivedMessage& received : parentMessages)
        if (received.message == message)
            return true;
    return false;
}

// A box inside a hidden parent window, as the form description would place it.
struct FrameBoxInParent : testing::Test {
    TestWindow parent{CreateParent()};
    TFrameBox box;

    void SetUp() override
    {
        ASSERT_NE(parent.get(), nullptr);
        box.SetParent(parent.get());
    }
};
}  // namespace

TEST(FrameBox, NewBoxHasItsDefaultsAndNoWindowYet)
{
    TFrameBox box;
    EXPECT_TRUE(box.ClipChildren());
    EXPECT_TRUE(box.TabStop());
    EXPECT_EQ(box.Width(), 185);
    EXPECT_EQ(box.Height(), 105);
    EXPECT_FALSE(box.HandleAllocated());
}

TEST_F(FrameBoxInParent, WindowIsAGroupBoxThatClipsChildrenAndIsNoTabStop)
{
    box.SetCaption("Multiplex Information");
    HWND window = box.Handle();
    ASSERT_NE(window, nullptr);

    const LONG style = StyleOf(window);
    EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE),
              WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE);
    EXPECT_FALSE(style & (WS_TABSTOP | WS_DISABLED)) << std::hex << style;
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_EQ(GetParent(window), parent.get());

    char text[64] = {};
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ(text, "TFrameBox");
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "Multiplex Information");
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 185);
    EXPECT_EQ(rect.bottom - rect.top, 105);
}

TEST_F(FrameBoxInParent, DisabledOrHiddenBoxIsCreatedSo)
{
    box.SetEnabled(false);
    box.SetVisible(false);
    const LONG style = StyleOf(box.Handle());
    EXPECT_TRUE(style & WS_DISABLED);
    EXPECT_FALSE(style & WS_VISIBLE);
}

TEST_F(FrameBoxInParent, FormDescriptionLeavesNeitherClipChildrenNorTabStop)
{
    // The order in which the main window's description sets them: the window appears on ClipChildren.
    box.SetBounds(16, 14, 389, 75);
    box.SetCaption("Multiplex Information");
    box.SetClipChildren(false);
    ASSERT_TRUE(box.HandleAllocated());
    box.SetTabStop(false);

    EXPECT_FALSE(box.ClipChildren());
    EXPECT_FALSE(box.TabStop());
    EXPECT_FALSE(StyleOf(box.Handle()) & (WS_CLIPCHILDREN | WS_TABSTOP));
    RECT rect{};
    GetWindowRect(box.Handle(), &rect);
    MapWindowPoints(nullptr, parent.get(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 16);
    EXPECT_EQ(rect.top, 14);
    EXPECT_EQ(rect.right - rect.left, 389);
}

TEST_F(FrameBoxInParent, WritingClipChildrenCreatesTheWindowAndSetsTheStyle)
{
    for (bool clip : {false, true, false}) {
        box.SetClipChildren(clip);
        ASSERT_TRUE(box.HandleAllocated());
        EXPECT_EQ((StyleOf(box.Handle()) & WS_CLIPCHILDREN) != 0, clip) << "ClipChildren " << clip;
        EXPECT_EQ(box.ClipChildren(), clip);
    }
}

TEST_F(FrameBoxInParent, WritingTheStoredClipChildrenAgainLeavesTheStyleAsItWas)
{
    for (bool clip : {true, false}) {
        box.SetClipChildren(clip);
        const LONG before = StyleOf(box.Handle());
        box.SetClipChildren(clip);
        EXPECT_EQ(StyleOf(box.Handle()), before) << "ClipChildren " << clip;
        EXPECT_EQ(box.ClipChildren(), clip);
    }
}

TEST(FrameBox, WritingClipChildrenWithoutAParentIsAClearError)
{
    TFrameBox box;
    box.SetName("grpMInfo");
    try {
        box.SetClipChildren(false);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Control 'grpMInfo' has no parent window");
    }
    EXPECT_TRUE(box.ClipChildren()) << "a failed write keeps the stored value";
}

TEST_F(FrameBoxInParent, TabStopRewritesTheStyleOnceTheWindowExists)
{
    box.Handle();
    for (bool tabStop : {true, false, true}) {
        box.SetTabStop(tabStop);
        EXPECT_EQ((StyleOf(box.Handle()) & WS_TABSTOP) != 0, tabStop) << "TabStop " << tabStop;
    }
}

TEST_F(FrameBoxInParent, ClassIsTheButtonClassWithItsDrawingStylesAdjusted)
{
    HWND window = box.Handle();
    WNDCLASSA button{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "BUTTON", &button));
    const DWORD expected = (button.style & ~(CS_OWNDC | CS_CLASSDC | CS_GLOBALCLASS)) | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW;
    const DWORD classStyle = GetClassLongA(window, GCL_STYLE);
    EXPECT_EQ(classStyle, expected) << std::hex << classStyle;
    EXPECT_EQ(classStyle & (CS_PARENTDC | CS_HREDRAW | CS_VREDRAW), DWORD{CS_PARENTDC | CS_HREDRAW | CS_VREDRAW});
    EXPECT_FALSE(classStyle & (CS_OWNDC | CS_CLASSDC | CS_GLOBALCLASS));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR)), button.hCursor);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)), button.hbrBackground);
}

TEST_F(FrameBoxInParent, SentMousePressAndReleaseAreNoClick)
{
    HWND window = box.Handle();
    const LPARAM inside = MAKELPARAM(40, 40);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageA(window, WM_LBUTTONUP, 0, inside);
    PumpFor(50);
    EXPECT_FALSE(ParentGot(WM_COMMAND));
    EXPECT_NE(GetCapture(), window) << "a press takes no capture";
}

TEST(FrameBox, RealClickOnTheBoxIsNoClick)
{
    TestWindow parent{CreateParent(WS_POPUP | WS_VISIBLE)};
    TFrameBox box;
    box.SetParent(parent.get());
    box.SetBounds(20, 20, 200, 120);
    HWND window = box.Handle();
    SetForegroundWindow(parent.get());
    UpdateWindow(parent.get());

    POINT inside{60, 60};
    ClientToScreen(window, &inside);
    SetCursorPos(inside.x, inside.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    PumpFor(50);
    parentMessages.clear();
    ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
    // The group box lets the pointer through to its parent: that the click arrived there shows it happened.
    EXPECT_TRUE(PumpUntil([] { return ParentGot(WM_LBUTTONUP); }, 3000));
    PumpFor(50);
    EXPECT_FALSE(ParentGot(WM_COMMAND));
}

TEST_F(FrameBoxInParent, ChildButtonClickReachesTheBoxParent)
{
    HWND child = CreateWindowExA(0, "BUTTON", "Refresh", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 20, 75, 23, box.Handle(),
                                 reinterpret_cast<HMENU>(42), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(child, nullptr);
    parentMessages.clear();
    SendMessageA(child, BM_CLICK, 0, 0);
    ASSERT_TRUE(ParentGot(WM_COMMAND));
    const ReceivedMessage& command = parentMessages.back();
    EXPECT_EQ(command.wParam, MAKEWPARAM(42, BN_CLICKED));
    EXPECT_EQ(command.lParam, reinterpret_cast<LPARAM>(child));
}

TEST_F(FrameBoxInParent, ChildNotificationsAndColourRequestsReachTheBoxParentWithItsAnswer)
{
    HWND window = box.Handle();
    const struct {
        UINT message;
        LRESULT answer;
    } cases[] = {
        {WM_COMMAND, parentAnswer},
        {WM_NOTIFY, parentAnswer},
        {WM_DRAWITEM, parentAnswer},
        {WM_CTLCOLORSTATIC, reinterpret_cast<LRESULT>(ParentBrush())},
        {WM_CTLCOLORBTN, reinterpret_cast<LRESULT>(ParentBrush())},
        {WM_CTLCOLOREDIT, reinterpret_cast<LRESULT>(ParentBrush())},
    };
    NMHDR header{window, 7, 0};
    for (const auto& c : cases) {
        parentMessages.clear();
        const LPARAM lParam = c.message == WM_NOTIFY ? reinterpret_cast<LPARAM>(&header) : 0x1234;
        EXPECT_EQ(SendMessageA(window, c.message, 0x77, lParam), c.answer) << "message " << std::hex << c.message;
        ASSERT_EQ(parentMessages.size(), 1u) << "message " << std::hex << c.message;
        EXPECT_EQ(parentMessages[0].message, c.message);
        EXPECT_EQ(parentMessages[0].wParam, WPARAM{0x77});
        EXPECT_EQ(parentMessages[0].lParam, lParam);
    }
}

TEST(FrameBox, WindowDestroyedWithItsParentIsForgotten)
{
    TFrameBox box;
    {
        TestWindow parent{CreateParent()};
        box.SetParent(parent.get());
        box.Handle();
    }
    EXPECT_FALSE(box.HandleAllocated());
}

TEST_F(FrameBoxInParent, CaptionFollowsTheNameUntilItIsSetApart)
{
    box.SetName("grpMInfo");
    EXPECT_EQ(box.Caption(), "grpMInfo");
    box.SetName("grpOther");
    EXPECT_EQ(box.Caption(), "grpOther");
    box.SetCaption("Multiplex Information");
    box.SetName("grpMInfo");
    EXPECT_EQ(box.Caption(), "Multiplex Information");
}
