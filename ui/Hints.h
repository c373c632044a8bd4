#pragma once
// The application's hints: when the pointer rests on a part of a window that has a hint text,
// the text appears below the pointer after HintPause and goes again after HintHidePause, or as
// soon as the pointer leaves that part, a button is pressed or a key is struck. Moving within
// the same part neither restarts the wait nor brings a hint back once it has gone.
//
// The controller watches the thread's messages itself (a message hook), so it sees the pointer
// in every message loop, modal ones included. One controller per program; make it once the owner
// window exists, on the thread that runs that window, and keep it while the window lives.
#include "ui/HintWindowClass.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// The hint text at a point of a window's client area; empty where there is none.
using HintSource = std::function<std::string(HWND window, POINT client)>;

// The hints of a tool bar's buttons by command identifier. A disabled button has its hint too.
HintSource ToolbarHints(std::vector<std::pair<int, std::string>> hintsByCommand);

class HintController {
public:
    // Hint windows are owned by owner, and so destroyed with it.
    explicit HintController(HWND owner);
    HintController(const HintController&) = delete;
    HintController& operator=(const HintController&) = delete;
    ~HintController();

    // Hints for the parts of window that source names.
    void AddTool(HWND window, HintSource source);

    // The application's defaults, in milliseconds; a change applies from the next hint.
    UINT HintPause = 500;
    UINT HintHidePause = 2500;

    // The window the hints are shown in; none before the first hint.
    HWND HintWindowHandle() const noexcept;

private:
    struct HookDeleter {
        void operator()(HHOOK hook) const noexcept { UnhookWindowsHookEx(hook); }
    };
    // One thread timer, restarted for each wait and stopped with its owner.
    class Timer {
    public:
        Timer() = default;
        Timer(const Timer&) = delete;
        Timer& operator=(const Timer&) = delete;
        ~Timer() { Stop(); }
        void Start(UINT ms, TIMERPROC expired);
        void Stop() noexcept;
        bool Is(UINT_PTR id) const noexcept { return id_ != 0 && id_ == id; }

    private:
        UINT_PTR id_ = 0;
    };
    struct Tool {
        HWND window;
        HintSource source;
    };
    enum class State { Idle, Waiting, Showing, Expired };

    static LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerExpired(HWND, UINT, UINT_PTR id, DWORD);
    void OnMessage(const MSG& message);
    void OnPointer(HWND window, POINT client);
    void OnTimer();
    void ShowHint();
    void Cancel() noexcept;

    HWND owner_;
    std::vector<Tool> tools_;
    std::unique_ptr<THintWindow> hintWindow_;
    HintWindowFactory hintWindowKind_ = nullptr;
    State state_ = State::Idle;
    HWND hintTool_ = nullptr;   // the window under the pointer while a hint waits, shows or has gone
    std::string hintText_;      // its hint text there
    POINT hintPointer_{};       // the pointer's last screen position over it
    Timer timer_;
    std::unique_ptr<std::remove_pointer_t<HHOOK>, HookDeleter> hook_;
};

static_assert(!std::is_copy_constructible_v<HintController> && !std::is_copy_assignable_v<HintController>);
