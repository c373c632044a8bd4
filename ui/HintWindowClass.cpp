#include "ui/HintWindowClass.h"

namespace {
// Constant-initialised, so it is in place before any module's initialisation runs.
HintWindowFactory hintWindowFactory = &MakePlainHintWindow;
}  // namespace

std::unique_ptr<THintWindow> MakePlainHintWindow() { return std::make_unique<THintWindow>(); }

void SetHintWindowClass(HintWindowFactory factory) noexcept
{
    hintWindowFactory = factory ? factory : &MakePlainHintWindow;
}

HintWindowFactory HintWindowClass() noexcept { return hintWindowFactory; }
