#pragma once
// The base of the thin wrappers over the native controls that a form is built from.
#include "ui/FormDescription.h"

#include <windows.h>
#include <commctrl.h>

// What every component of one form shares.
struct FormStyle {
    HFONT font;
    HFONT boldFont;
    HFONT statusFont;
    HIMAGELIST images;
};

struct CreateContext {
    const char* name;
    const ComponentPlacement& placement;
    Control* parent;     // nullptr: the form's window
    HWND parentWindow;
    const FormStyle& style;
    int id;              // command identifier of the component
};

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;  // native windows die with their top-level window

    virtual void Create(const CreateContext& context) = 0;
    // Called on a container when a child has been created in it.
    virtual void AdoptChild(Control& /*child*/, const ComponentPlacement& /*placement*/) {}

    virtual void SetEnabled(bool enabled);
    virtual bool Enabled() const;
    virtual void SetText(const char* text);

    HWND Handle() const noexcept { return window_; }
    int Id() const noexcept { return id_; }

protected:
    HWND CreateNative(const CreateContext& context, DWORD exStyle, const char* className, DWORD style, HFONT font);

    HWND window_ = nullptr;
    int id_ = 0;
};

// Passes what a container's children send upwards (commands, notifications, colour
// requests) on to the container's own parent, where the form handles them.
void ForwardChildMessagesToParent(HWND container);
bool IsForwardedChildMessage(UINT message) noexcept;
