#pragma once
// Builds a form's native windows from its description and finds the handler of a command.
#include "ui/Control.h"

#include <cstring>
#include <span>

template <class Form>
void BuildForm(Form& form, HWND window, std::span<const ComponentDescription<Form>> rows, const FormStyle& style, int firstId)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ComponentDescription<Form>& row = rows[i];
        Control* parent = nullptr;
        for (std::size_t j = 0; row.placement.parent && j < i; ++j)
            if (std::strcmp(rows[j].name, row.placement.parent) == 0)
                parent = &rows[j].field(form);
        Control& component = row.field(form);
        HWND parentWindow = parent ? parent->Handle() : window;
        component.Create({row.name, row.placement, parent, parentWindow, style, firstId + static_cast<int>(i)});
        // Of two overlapping siblings the later one lies on top (Windows puts a new child at the bottom).
        if (component.Handle() != parentWindow)
            SetWindowPos(component.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (parent)
            parent->AdoptChild(component, row.placement);
    }
}

// The click handler bound to the component with this command identifier, if any.
template <class Form>
auto CommandHandler(std::span<const ComponentDescription<Form>> rows, int firstId, int id) -> void (Form::*)()
{
    const int index = id - firstId;
    if (index < 0 || index >= static_cast<int>(rows.size()))
        return nullptr;
    return rows[static_cast<std::size_t>(index)].onEvent;
}
