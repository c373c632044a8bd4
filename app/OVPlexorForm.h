#pragma once
// The form description of the main window: every component with its place, look and handler.
#include "app/OVPlexor.h"
#include "ui/FormDescription.h"

#include <span>

std::span<const ComponentDescription<TOVPlexor>> OVPlexorForm();

// The frequency box's items: the centre frequencies of the Band III blocks 11B to 12D.
std::span<const char* const> FrequencyItems();
