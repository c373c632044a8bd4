// Reads the running program's window from outside, as a screen reader or a test would, and
// prints what it finds: where to point for a control, and what a control says.
//   winprobe point <button|combo|window> [n]   screen coordinates of the centre of the nth tool
//                                              button, of the frequency box, of the window
//   winprobe frame                             the window's frame: left top width height
//   winprobe status                            the status bar's text
//   winprobe wait                              waits until the main window exists
#include "RemoteWindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
void PrintPoint(POINT point) { std::printf("%ld %ld\n", point.x, point.y); }
}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0) {
        for (int i = 0; i < 200 && !remote::MainWindow(); ++i)
            Sleep(50);
        return remote::MainWindow() ? 0 : 1;
    }
    HWND main = remote::MainWindow();
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
        std::printf("%s\n", remote::TextOf(remote::Descendant(main, STATUSCLASSNAMEA)).c_str());
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "point") == 0) {
        const char* what = argv[2];
        if (std::strcmp(what, "window") == 0) {
            RECT client;
            GetClientRect(main, &client);
            PrintPoint(remote::ScreenCentre(main, client));
            return 0;
        }
        if (std::strcmp(what, "combo") == 0) {
            PrintPoint(remote::ComboCentre(main));
            return 0;
        }
        if (std::strcmp(what, "button") == 0 && argc >= 4) {
            PrintPoint(remote::ToolButtonCentre(main, std::atoi(argv[3])));
            return 0;
        }
    }
    std::fprintf(stderr, "usage: winprobe point <button n|combo|window> | frame | status | wait\n");
    return 2;
}
