#pragma once
// TShadowedHintWindow: the hint window that asks the system for a drop shadow where the system
// offers one (NT 5.1 and later). Whether a shadow is really drawn is the user's visual-effect setting.
#include "ui/HintWindow.h"

class TShadowedHintWindow : public THintWindow {
protected:
    void CreateParams(WindowCreateParams& params) const override;
};

// Makes TShadowedHintWindow the application's hint window. It runs when this module is initialised,
// before the main window exists; the program calls it as well, which keeps the module in the link
// (a static library leaves out a module that nothing refers to, and its initialisation with it).
void InstallShadowedHintWindow() noexcept;
