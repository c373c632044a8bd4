#pragma once
// Windows of our own that the native controls lack: a panel that holds other controls on a
// background of its own, and a shape drawn as a one-pixel outline.
#include "ui/Control.h"
#include "ui/GdiOwners.h"

class Panel : public Control {
public:
    void Create(const CreateContext& context) override;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    bool black_ = false;
};

class Shape : public Control {
public:
    void Create(const CreateContext& context) override;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    BrushOwner outline_;
};
