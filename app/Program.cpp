#include "app/Program.h"

#include "app/OVPlexor.h"
#include "controls/ShadowedHintWindow.h"
#include "ui/Application.h"
#include "ui/ErrorDisplay.h"

#include <commctrl.h>

int RunPlexor()
{
    InstallShadowedHintWindow();
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const ComApartment com;
    int exitCode = 0;
    try {
        TOVPlexor form;
        exitCode = Application::Run(form.Handle());
    } catch (...) {  // the window could not be made: say why instead of vanishing
        HandleCallbackException();
        exitCode = 1;
    }  // the window and its components go first,
    FinalizePlexorModule();  // then the module state with the receiver,
    return exitCode;  // and COM last.
}
