#pragma once
// Which kind of hint window the application shows its hints in. The plain THintWindow unless a
// module installs another; the hints made after a change use the new kind, the first included.
#include "ui/HintWindow.h"

#include <memory>

using HintWindowFactory = std::unique_ptr<THintWindow> (*)();

std::unique_ptr<THintWindow> MakePlainHintWindow();

// Safe to call from a module's static initialisation.
void SetHintWindowClass(HintWindowFactory factory) noexcept;
HintWindowFactory HintWindowClass() noexcept;
