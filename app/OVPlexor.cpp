#include "app/OVPlexor.h"

#include "app/FrequencyText.h"
#include "app/LocaleDecimal.h"
#include "app/OVPlexorForm.h"
#include "app/Quality.h"
#include "app/ServiceCensus.h"
#include "app/SignalCaptions.h"
#include "app/SignalGraph.h"
#include "app/SignalHistory.h"
#include "receiver/AnsiText.h"
#include "receiver/CoViadabRx.h"
#include "resources/ResourceIds.h"
#include "ui/Application.h"
#include "ui/ErrorDisplay.h"
#include "ui/FormBuilder.h"
#include "ui/WindowObject.h"

#include <uxtheme.h>

#include <stdexcept>

TOVPlexor* OVPlexor = nullptr;
ReceiverRef Receiver;
std::string TunedFreqText;
std::string AcceptedFreqText;
bool NewTune = false;

namespace {
const char WindowClass[] = "TOVPlexor";
constexpr int FirstComponentId = 100;
constexpr UINT_PTR SignalChkId = 1;
constexpr UINT SignalChkInterval = 1000;
constexpr int ClientWidth = 408;
constexpr int ClientHeight = 233;
// A fixed single border with a system menu and a minimise button; no maximise, no sizing.
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

FontOwner TahomaFont(int weight)
{
    HDC screen = GetDC(nullptr);
    const int pointsToPixels = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTA font{};
    font.lfHeight = -MulDiv(8, pointsToPixels, 72);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(font.lfFaceName, "Tahoma");
    return FontOwner(CreateFontIndirectA(&font));
}

FontOwner StatusBarFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return FontOwner(CreateFontIndirectA(&metrics.lfStatusFont));
}

void RegisterWindowClass(WNDPROC procedure)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, WindowClass, &existing))
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, IDI_MAINICON, IMAGE_ICON, 32, 32, LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, IDI_MAINICON, IMAGE_ICON, 16, 16, LR_SHARED));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClass;
    RegisterClassExA(&windowClass);
}

ImageListOwner ToolBarImages()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ImageListOwner images(ImageList_Create(TOOLBAR_IMAGE_SIZE, TOOLBAR_IMAGE_SIZE, ILC_COLOR24 | ILC_MASK, TOOLBAR_IMAGE_COUNT, 0));
    const BitmapOwner colours(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    const BitmapOwner mask(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_TOOLBAR_MASK), IMAGE_BITMAP, 0, 0, LR_MONOCHROME)));
    ImageList_Add(images.get(), colours.get(), mask.get());  // the list keeps copies
    return images;
}

void ClearClipChildren(HWND window)
{
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & 0xFDFFFFFF);
}
}  // namespace

TOVPlexor::TOVPlexor()
{
    RegisterWindowClass(WindowProc);
    RECT frame{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, WS_EX_CONTROLPARENT);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_.reset(CreateWindowExA(WS_EX_CONTROLPARENT, WindowClass, "Orvane Plexor", WindowStyle, left, top, width, height, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), this));
    if (!window_)
        throw std::runtime_error("Error creating window");

    font_ = TahomaFont(FW_NORMAL);
    boldFont_ = TahomaFont(FW_BOLD);
    statusFont_ = StatusBarFont();
    ImageList1 = ToolBarImages();
    const FormStyle style{font_.get(), boldFont_.get(), statusFont_.get(), ImageList1.get()};
    BuildForm(*this, window_.get(), OVPlexorForm(), style, FirstComponentId);

    SignalChk.Attach(window_.get(), SignalChkId, SignalChkInterval);
    for (const char* item : FrequencyItems())
        cboMulti.AddItem(item);
    cboMulti.SetKeyPressHandler([this](char& key) { cboMultiKeyPress(key); });
    hints_.emplace(window_.get());
    std::vector<std::pair<int, std::string>> toolHints;
    for (const ToolButton* button : {&tbConnect, &tbDisconnect, &tbTune, &tbExport})
        toolHints.emplace_back(button->Id(), button->Hint());
    hints_->AddTool(tbrMain.Handle(), ToolbarHints(std::move(toolHints)));
    FormCreate();
    // Only a window that was made whole is the program's window and owns its error boxes.
    SetErrorDisplayOwner(window_.get());
    OVPlexor = this;
}

TOVPlexor::~TOVPlexor()
{
    SignalChk.SetEnabled(false);
    SetErrorDisplayOwner(nullptr);
    hints_.reset();
    window_.reset();
    if (OVPlexor == this)
        OVPlexor = nullptr;
}

void TOVPlexor::FormCreate()
{
    DrawGraph();
    // The window and the tab control paint their backgrounds under their children too.
    ClearClipChildren(window_.get());
    ClearClipChildren(TabControl1.Handle());
}

void TOVPlexor::tbConnectClick()
{
    tbDisconnect.SetEnabled(false);
    tbConnect.SetEnabled(false);
    sbMain.SetText("Connecting...");
    Application::ProcessMessages();
    try {
        Receiver = ReceiverRef(CoViadabRx::Create());
    } catch (...) {
        // The window stays usable: back to disconnected, and the error display says why.
        tbConnect.SetEnabled(true);
        sbMain.SetText("Ready");
        throw;
    }
    try {
        Receiver.GetSignalError();
    } catch (...) {
        tbConnect.SetEnabled(true);
        sbMain.SetText("WaveFinder not responding (reconnect?)");
        Receiver.clear();
        return;
    }
    sbMain.SetText("Ready");
    tbDisconnect.SetEnabled(true);
    cboMulti.SetEnabled(true);
    tbTune.SetEnabled(true);
}

void TOVPlexor::tbDisconnectClick()
{
    SignalChk.SetEnabled(false);
    sbMain.SetText("Disconnecting...");
    tbDisconnect.SetEnabled(false);
    Application::ProcessMessages();
    // A tune that ran inside the pump may have started the timer again; it must not poll a
    // receiver that is about to go.
    SignalChk.SetEnabled(false);
    Receiver.clear();
    tbConnect.SetEnabled(true);
    sbMain.SetText("Ready");
    cboMulti.SetEnabled(false);
    btnRefresh.SetEnabled(false);
    tbTune.SetEnabled(false);
    lbCS.SetText(NotTunedCaption);
    tbExport.SetEnabled(false);
}

void TOVPlexor::tbTuneClick()
{
    // A tune that fails does so silently: the steps done so far stay done.
    try {
        lbMux.SetText("None");
        TunedFreqText = cboMulti.Text();
        ClearSignalHistory();
        btnRefresh.SetEnabled(false);
        DrawGraph();
        const std::optional<double> frequency = FrequencyFromText(TunedFreqText, LocaleDecimalSeparator());
        if (!frequency)
            return;
        Receiver.Tune(*frequency);
        AcceptedFreqText = TunedFreqText;
        SignalChk.SetEnabled(true);  // a running poll keeps its schedule
        lbCS.SetText(TuningStartedCaption);
        NewTune = true;
    } catch (...) {
    }
}

void TOVPlexor::cboMultiKeyPress(char& key)
{
    if (key != '\r')
        return;
    if (IsFrequencyText(cboMulti.Text(), LocaleDecimalSeparator()))
        tbTuneClick();
    else
        MessageBeep(0);
    key = 0;
}

void TOVPlexor::SignalChkTimer()
{
    if (Receiver.GetLocked() == 0) {
        lbCS.SetText(LockStageCaption(Receiver.GetLockStage()));
        return;
    }
    if (NewTune) {
        const Bstr label = Receiver.GetLabel(Receiver.GetMultiplex());
        lbMux.SetText(ToAnsi({label.get() ? label.get() : L"", label.length()}).c_str());
        tbExport.SetEnabled(true);
        btnRefresh.SetEnabled(true);
        ScanServices(false);
    }
    const std::int32_t quality = QualityFromSignalError(Receiver.GetSignalError());
    PushSignalSample(quality);
    lbCS.SetText(QualityCaption(quality).c_str());
    DrawGraph();
    NewTune = false;
}

void TOVPlexor::btnRefreshClick() { ScanServices(false); }

void TOVPlexor::tbExportClick() { ScanServices(true); }

void TOVPlexor::DrawGraph() { DrawSignalGraph(Graph.Image(), SignalHistory); }

void TOVPlexor::ScanServices(bool Export)
{
    const ServiceCounts counts = Export ? ExportServices(Receiver, AcceptedFreqText) : CountServices(Receiver);
    lbAudio.SetText(std::to_string(counts.audio).c_str());
    lbData.SetText(std::to_string(counts.data).c_str());
    lbTotal.SetText(std::to_string(counts.total()).c_str());
}

void TOVPlexor::RunHandler(void (TOVPlexor::*handler)()) noexcept
{
    try {
        (this->*handler)();
    } catch (...) {
        ReportHandlerError();
    }
}

void TOVPlexor::ReportHandlerError() noexcept
{
    HandleCallbackException();
    // No poll ran while the box was open; the next one comes a full period after OK.
    SignalChk.Restart();
}

HBRUSH TOVPlexor::ColorStatic(HWND control, HDC dc)
{
    // The form's description says how each label looks; a control's identifier names its row.
    const auto rows = OVPlexorForm();
    const std::size_t row = static_cast<std::size_t>(GetDlgCtrlID(control) - FirstComponentId);
    if (row < rows.size() && (rows[row].placement.appearance & LimeText)) {
        SetTextColor(dc, RGB(0, 255, 0));
        SetBkColor(dc, RGB(0, 0, 0));
        return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    }
    // Labels and the group box show the face they lie on, themed or not.
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (IsAppThemed() && SUCCEEDED(DrawThemeParentBackground(control, dc, nullptr)))
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT TOVPlexor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            if (auto handler = CommandHandler(OVPlexorForm(), FirstComponentId, LOWORD(wParam)))
                RunHandler(handler);
        return 0;
    case WM_TIMER:
        // A tick queued before the timer stopped, or arriving while an error box is open, is no poll.
        if (wParam == SignalChkId && SignalChk.Enabled() && !ErrorDisplayOpen())
            RunHandler(&TOVPlexor::SignalChkTimer);
        return 0;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(ColorStatic(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    case WM_CLOSE:
        // The window is destroyed once the message loop has ended.
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window_.get(), message, wParam, lParam);
    }
}

LRESULT CALLBACK TOVPlexor::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TOVPlexor* form = WindowObject<TOVPlexor>(window, message, lParam);
    if (!form || !form->window_)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (...) {
        form->ReportHandlerError();
        return 0;
    }
}

void FinalizePlexorModule() noexcept
{
    TunedFreqText.clear();
    AcceptedFreqText.clear();
    Receiver.clear();
}
