// The main window as a user and a screen reader meet it at start-up: every component's
// class, text, enabled flag, parent, position and size.
#include "app/OVPlexor.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT BoundsInParent(HWND window)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

class MainWindowLayout : public testing::Test {
protected:
    ComApartment com;
    TOVPlexor form;
};
}  // namespace

TEST_F(MainWindowLayout, EveryWindowedComponentSitsWhereTheFormPutsIt)
{
    struct Row { const char* name; const Control& control; const char* className; HWND parent; const char* text; bool enabled; RECT bounds; };
    const Row rows[] = {
        {"TabControl1", form.TabControl1, "SysTabControl32", form.Handle(), "", true, {-6, 20, 415, 225}},
        {"grpMInfo", form.grpMInfo, "TFrameBox", form.TabControl1.Handle(), "Multiplex Information", true, {16, 14, 405, 89}},
        {"Label2", form.Label2, "Static", form.grpMInfo.Handle(), "Total Services", true, {12, 20, 91, 33}},
        {"Label3", form.Label3, "Static", form.grpMInfo.Handle(), "Audio", true, {12, 34, 91, 47}},
        {"Label4", form.Label4, "Static", form.grpMInfo.Handle(), "Data", true, {12, 48, 91, 61}},
        {"lbTotal", form.lbTotal, "Static", form.grpMInfo.Handle(), "0", true, {98, 20, 113, 33}},
        {"lbAudio", form.lbAudio, "Static", form.grpMInfo.Handle(), "0", true, {98, 34, 113, 47}},
        {"lbData", form.lbData, "Static", form.grpMInfo.Handle(), "0", true, {98, 48, 113, 61}},
        {"lbMux", form.lbMux, "Static", form.grpMInfo.Handle(), "None", true, {148, 34, 301, 47}},
        {"btnRefresh", form.btnRefresh, "Button", form.grpMInfo.Handle(), "Refresh", false, {302, 40, 377, 63}},
        {"Panel2", form.Panel2, "TPanel", form.TabControl1.Handle(), "", true, {16, 100, 404, 181}},
        {"Shape1", form.Shape1, "TShape", form.Panel2.Handle(), "", true, {6, 62, 382, 63}},
        {"sbMain", form.sbMain, "msctls_statusbar32", form.Handle(), "Ready", true, {0, 213, 408, 233}},
        {"cbMain", form.cbMain, "ReBarWindow32", form.Handle(), "", true, {0, 0, 408, 28}},
        {"pnHolder", form.pnHolder, "TPanel", form.cbMain.Handle(), "", true, {9, 0, 404, 25}},
        {"tbrMain", form.tbrMain, "ToolbarWindow32", form.pnHolder.Handle(), "", true, {1, 2, 315, 25}},
        {"Label1", form.Label1, "Static", form.tbrMain.Handle(), " ", true, {46, 0, 202, 22}},
        {"cboMulti", form.cboMulti, "ComboBox", form.pnHolder.Handle(), "", false, {50, 3, 201, 24}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND window = row.control.Handle();
        ASSERT_TRUE(IsWindow(window));
        EXPECT_EQ(ClassOf(window), row.className);
        EXPECT_EQ(GetParent(window), row.parent);
        EXPECT_EQ(TextOf(window), row.text);
        EXPECT_EQ(IsWindowEnabled(window) != FALSE, row.enabled);
        EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
        const RECT bounds = BoundsInParent(window);
        EXPECT_EQ(bounds.left, row.bounds.left);
        EXPECT_EQ(bounds.top, row.bounds.top);
        EXPECT_EQ(bounds.right, row.bounds.right);
        EXPECT_EQ(bounds.bottom, row.bounds.bottom);
    }
}

TEST_F(MainWindowLayout, LabelsSizedToTheirTextTakeTheMeasuredWidth)
{
    for (const Label* label : {&form.Label8, &form.lbCS}) {
        HWND window = label->Handle();
        const std::string text = TextOf(window);
        HDC dc = GetDC(window);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, previous);
        ReleaseDC(window, dc);
        const RECT bounds = BoundsInParent(window);
        SCOPED_TRACE(text);
        EXPECT_EQ(bounds.right - bounds.left, extent.cx);
        EXPECT_EQ(bounds.bottom - bounds.top, 13);
    }
    EXPECT_EQ(TextOf(form.Label8.Handle()), "Multiplex Label");
    EXPECT_EQ(TextOf(form.lbCS.Handle()), "Current Signal: Not Tuned");
    EXPECT_EQ(BoundsInParent(form.Label8.Handle()).left, 148);
    EXPECT_EQ(BoundsInParent(form.lbCS.Handle()).top, 64);
}

TEST_F(MainWindowLayout, ToolButtonsLieInOneRowWithTheirStates)
{
    struct Row { const char* name; const ToolButton& button; bool enabled; int left, width; bool separator; const char* hint; };
    const Row rows[] = {
        {"tbConnect", form.tbConnect, true, 0, 23, false, "Connect"},
        {"tbDisconnect", form.tbDisconnect, false, 23, 23, false, "Disconnect"},
        {"tbTune", form.tbTune, false, 202, 23, false, "Tune To (and Get Info on) Frequency"},
        {"ToolButton2", form.ToolButton2, true, 225, 8, true, ""},
        {"tbExport", form.tbExport, false, 233, 23, false, "Export Services (to Orvane)"},
    };
    HWND toolBar = form.tbrMain.Handle();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int index = static_cast<int>(SendMessageA(toolBar, TB_COMMANDTOINDEX, static_cast<WPARAM>(row.button.Id()), 0));
        ASSERT_GE(index, 0);
        RECT item{};
        SendMessageA(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.left, row.left);
        EXPECT_EQ(item.right - item.left, row.width);
        TBBUTTON button{};
        SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ((button.fsStyle & TBSTYLE_SEP) != 0, row.separator);
        if (!row.separator) {
            char name[64] = {};
            SendMessageA(toolBar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(row.button.Id()), reinterpret_cast<LPARAM>(name));
            EXPECT_STREQ(name, row.hint);  // what a screen reader names the button
            EXPECT_STREQ(row.button.Hint(), row.hint);
            EXPECT_EQ(item.top, 0);
            EXPECT_EQ(item.bottom - item.top, 22);
            EXPECT_EQ(row.button.Enabled(), row.enabled);
        }
    }
}

TEST_F(MainWindowLayout, WindowIsAFixedCentredFrameAroundA408By233Client)
{
    HWND window = form.Handle();
    EXPECT_EQ(ClassOf(window), "TOVPlexor");
    EXPECT_EQ(TextOf(window), "Orvane Plexor");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 408);
    EXPECT_EQ(client.bottom, 233);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
}

TEST_F(MainWindowLayout, ComponentsUseTahomaEightPointAndTheStatusBarTheSystemFont)
{
    auto faceAndHeight = [](HWND window) {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        return std::make_pair(std::string(font.lfFaceName), font.lfHeight);
    };
    for (HWND window : {form.lbMux.Handle(), form.btnRefresh.Handle(), form.cboMulti.Handle(), form.grpMInfo.Handle()})
        EXPECT_EQ(faceAndHeight(window), std::make_pair(std::string("Tahoma"), -11L));
    LOGFONTA bold{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form.Label2.Handle(), WM_GETFONT, 0, 0)), sizeof bold, &bold);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    EXPECT_EQ(faceAndHeight(form.sbMain.Handle()), std::make_pair(std::string(metrics.lfStatusFont.lfFaceName), metrics.lfStatusFont.lfHeight));
}

TEST_F(MainWindowLayout, FrequencyBoxStartsEmptyWithTheSevenBandIIIBlocks)
{
    HWND box = form.cboMulti.Handle();
    const char* expected[] = {"218.640", "220.352", "222.064", "223.936", "225.648", "227.360", "229.072"};
    ASSERT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), 7);
    for (int i = 0; i < 7; ++i) {
        char item[32] = {};
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, expected[i]);
    }
    EXPECT_EQ(TextOf(box), "");
}

TEST_F(MainWindowLayout, CreationClearsClipChildrenOnTheThreeNestedContainers)
{
    for (HWND window : {form.Handle(), form.TabControl1.Handle(), form.grpMInfo.Handle()})
        EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_FALSE(form.SignalChk.Enabled());
}

TEST_F(MainWindowLayout, LaterSiblingsLieOnTop)
{
    // Windows lists siblings from the top down.
    auto above = [](HWND upper, HWND lower) {
        for (HWND window = GetWindow(upper, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
            if (window == lower)
                return true;
        return false;
    };
    EXPECT_TRUE(above(form.sbMain.Handle(), form.TabControl1.Handle()));
    EXPECT_TRUE(above(form.cbMain.Handle(), form.TabControl1.Handle()));
    EXPECT_TRUE(above(form.cboMulti.Handle(), form.tbrMain.Handle()));
    EXPECT_TRUE(above(form.Graph.Handle(), form.Shape1.Handle()));
    EXPECT_TRUE(above(form.Shape1.Handle(), form.lbCS.Handle()));
}

TEST_F(MainWindowLayout, SignalLineIsLimeOnBlackAndOtherLabelsUseTheWindowTextColour)
{
    struct Row { const char* name; const Label& label; COLORREF text; };
    const Row rows[] = {
        {"lbCS", form.lbCS, RGB(0, 255, 0)},
        {"lbMux", form.lbMux, GetSysColor(COLOR_WINDOWTEXT)},
        {"Label2", form.Label2, GetSysColor(COLOR_WINDOWTEXT)},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // The colour request travels up from the label as the label sends it.
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(GetParent(row.label.Handle()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(row.label.Handle())));
        EXPECT_EQ(GetTextColor(dc), row.text);
        if (row.text == RGB(0, 255, 0)) {
            EXPECT_EQ(brush, GetStockObject(BLACK_BRUSH));
        }
    }
    DeleteDC(dc);
}
