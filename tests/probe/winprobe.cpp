// Reads the running program's window from outside, as a screen reader or a test would, and
// prints what it finds: where to point for a control, and what a control says.
//   winprobe point <button|combo|window> [n]   screen coordinates of the centre of the nth tool
//                                              button, of the frequency box, of the window
//   winprobe frame                             the window's frame: left top width height
//   winprobe status                            the status bar's text
//   winprobe wait                              waits until the main window exists
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
HWND MainWindow() { return FindWindowA("TOVPlexor", nullptr); }

HWND Descendant(HWND parent, const char* className)
{
    struct Search { const char* className; HWND found; } search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, s->className) != 0)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A message whose answer lands in memory of the window's own process.
template <class T>
T AskAcrossProcesses(HWND window, UINT message, WPARAM wParam)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    T answer{};
    void* remote = VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE);
    SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &answer, sizeof answer, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return answer;
}

void PrintCentre(HWND window, RECT bounds)
{
    POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(window, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0) {
        for (int i = 0; i < 200 && !MainWindow(); ++i)
            Sleep(50);
        return MainWindow() ? 0 : 1;
    }
    HWND main = MainWindow();
    if (!main) {
        std::fprintf(stderr, "winprobe: the main window is not there\n");
        return 1;
    }
    if (argc >= 2 && std::strcmp(argv[1], "frame") == 0) {
        RECT frame;
        GetWindowRect(main, &frame);
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "status") == 0) {
        HWND bar = Descendant(main, STATUSCLASSNAMEA);
        char text[256] = {};
        SendMessageA(bar, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "point") == 0) {
        const char* what = argv[2];
        if (std::strcmp(what, "window") == 0) {
            RECT client;
            GetClientRect(main, &client);
            PrintCentre(main, client);
            return 0;
        }
        if (std::strcmp(what, "combo") == 0) {
            HWND box = Descendant(main, "ComboBox");
            RECT client;
            GetClientRect(box, &client);
            PrintCentre(box, client);
            return 0;
        }
        if (std::strcmp(what, "button") == 0 && argc >= 4) {
            HWND toolBar = Descendant(main, TOOLBARCLASSNAMEA);
            const RECT item = AskAcrossProcesses<RECT>(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(std::atoi(argv[3])));
            PrintCentre(toolBar, item);
            return 0;
        }
    }
    std::fprintf(stderr, "usage: winprobe point <button n|combo|window> | frame | status | wait\n");
    return 2;
}
