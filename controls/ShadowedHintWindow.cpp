#include "controls/ShadowedHintWindow.h"

#include "controls/DropShadow.h"
#include "ui/HintWindowClass.h"

namespace {
struct SystemVersion {
    DWORD platformId = 0;
    DWORD major = 0;
    DWORD minor = 0;
};

SystemVersion ReadSystemVersion()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return {};
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

// Read once, at program start: the class is registered with what it says, once per run.
const SystemVersion startupVersion = ReadSystemVersion();

std::unique_ptr<THintWindow> MakeShadowedHintWindow() { return std::make_unique<TShadowedHintWindow>(); }

[[maybe_unused]] const bool installedAtStart = (InstallShadowedHintWindow(), true);
}  // namespace

void TShadowedHintWindow::CreateParams(WindowCreateParams& params) const
{
    THintWindow::CreateParams(params);
    params.className = "TShadowedHintWindow";
    if (WantsDropShadow(startupVersion.platformId, startupVersion.major, startupVersion.minor))
        params.classStyle |= CS_DROPSHADOW;
}

void InstallShadowedHintWindow() noexcept { SetHintWindowClass(&MakeShadowedHintWindow); }
