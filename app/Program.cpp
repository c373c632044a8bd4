#include "app/Program.h"

#include "app/OVPlexor.h"
#include "controls/ShadowedHintWindow.h"
#include "ui/Application.h"

#include <commctrl.h>

int RunPlexor()
{
    InstallShadowedHintWindow();
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const ComApartment com;
    int exitCode = 0;
    {
        TOVPlexor form;
        exitCode = Application::Run(form.Handle());
    }  // the window and its components go first,
    FinalizePlexorModule();  // then the module state with the receiver,
    return exitCode;  // and COM last.
}
