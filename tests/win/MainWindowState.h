#pragma once
// The main window's connection state as a user sees it: which commands are available, whether
// the poll runs, the status text, and whether a receiver is held.
#include "app/OVPlexor.h"

#include <ostream>
#include <string>

struct WindowState {
    bool connect, disconnect, frequencyBox, tune, refresh, exportServices, polling;
    std::string status;
    bool receiverHeld;

    bool operator==(const WindowState&) const = default;
};

inline std::string StatusText(const TOVPlexor& form)
{
    char text[256] = {};
    SendMessageA(form.sbMain.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

inline std::string TextOf(const Control& control)
{
    char text[256] = {};
    GetWindowTextA(control.Handle(), text, sizeof text);
    return text;
}

inline WindowState StateOf(const TOVPlexor& form)
{
    return {form.tbConnect.Enabled(), form.tbDisconnect.Enabled(), form.cboMulti.Enabled(), form.tbTune.Enabled(),
            form.btnRefresh.Enabled(), form.tbExport.Enabled(), form.SignalChk.Enabled(), StatusText(form), Receiver.held()};
}

inline std::ostream& operator<<(std::ostream& out, const WindowState& s)
{
    return out << "{connect " << s.connect << ", disconnect " << s.disconnect << ", box " << s.frequencyBox << ", tune " << s.tune
               << ", refresh " << s.refresh << ", export " << s.exportServices << ", polling " << s.polling << ", \"" << s.status
               << "\", held " << s.receiverHeld << "}";
}

// A click as the control delivers it to the window, handled the way the window handles it.
inline void Click(const TOVPlexor& form, const Control& control)
{
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(control.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(control.Handle()));
}

// The same click left waiting in the queue, as one given while a handler runs.
inline void PostClick(const TOVPlexor& form, const Control& control)
{
    PostMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(control.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(control.Handle()));
}

// The rows of the connection table that tests reach.
inline const WindowState DisconnectedAtStart{true, false, false, false, false, false, false, "Ready", false};
inline const WindowState Connected{false, true, true, true, false, false, false, "Ready", true};
inline const WindowState Monitoring{false, true, true, true, true, true, true, "Ready", true};
inline const WindowState NotResponding{true, false, false, false, false, false, false, "WaveFinder not responding (reconnect?)", false};
