#pragma once
// The main window: the form class with its components, in the order the form declares them,
// and its event handlers.
#include "receiver/ReceiverRef.h"
#include "ui/GdiOwners.h"
#include "ui/Hints.h"
#include "ui/ImageControl.h"
#include "ui/NativeControls.h"
#include "ui/Panel.h"
#include "controls/FrameBoxControl.h"
#include "ui/WindowTimer.h"

#include <optional>
#include <string>

// Visual styles come from the application manifest; the form keeps its theme manager only as
// the placeholder the form description names.
struct TThemeManager {};

class TOVPlexor {
public:
    TOVPlexor();
    TOVPlexor(const TOVPlexor&) = delete;
    TOVPlexor& operator=(const TOVPlexor&) = delete;
    ~TOVPlexor();

    HWND Handle() const noexcept { return window_.get(); }

    TThemeManager ThemeManager1;
    StatusBar sbMain;
    CoolBar cbMain;
    Panel pnHolder;
    ToolBar tbrMain;
    ToolButton tbConnect;
    ToolButton tbDisconnect;
    ToolButton tbExport;
    ImageListOwner ImageList1;
    TabControl TabControl1;
    FrameBoxControl grpMInfo;
    Label Label2;
    Label Label3;
    Label Label4;
    Label lbTotal;
    Label lbAudio;
    Label lbData;
    Label Label8;
    Label lbMux;
    PushButton btnRefresh;
    Panel Panel2;
    Label lbCS;
    Shape Shape1;
    ImageControl Graph;
    WindowTimer SignalChk;
    Label Label1;
    ComboBox cboMulti;
    ToolButton tbTune;
    ToolButton ToolButton2;

    void FormCreate();
    void tbConnectClick();
    void tbDisconnectClick();
    void tbTuneClick();
    void cboMultiKeyPress(char& key);
    void SignalChkTimer();
    void btnRefreshClick();
    void tbExportClick();

private:
    void DrawGraph();
    void ScanServices(bool Export);

    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RunHandler(void (TOVPlexor::*handler)()) noexcept;
    void ReportHandlerError() noexcept;
    HBRUSH ColorStatic(HWND control, HDC dc);
    FormStyle CreateStyle();

    FontOwner font_, boldFont_, statusFont_;
    BrushOwner ruleBrush_;
    WindowOwner window_;
    std::optional<HintController> hints_;  // goes before the window it watches
};

// The window's module state.
extern TOVPlexor* OVPlexor;
extern ReceiverRef Receiver;
extern std::string TunedFreqText;
// The frequency text of the last tune that the receiver accepted: what an export stores. A tune
// that fails after a lock must not label the locked multiplex with its text.
extern std::string AcceptedFreqText;
extern bool NewTune;

// Empties the module state at exit: the frequency texts, then the receiver.
void FinalizePlexorModule() noexcept;
