#pragma once
// The native controls a form is built from, each a thin wrapper over one Windows control.
#include "ui/Control.h"

#include <functional>
#include <string>

class Label : public Control {
public:
    void Create(const CreateContext& context) override;
    // A label sized to its text takes the width of the new text.
    void SetText(const char* text) override;

private:
    bool sizedToText_ = false;
};

class PushButton : public Control {
public:
    void Create(const CreateContext& context) override;
};

class TabControl : public Control {
public:
    void Create(const CreateContext& context) override;
};

class StatusBar : public Control {
public:
    void Create(const CreateContext& context) override;
    // One simple text across the whole bar.
    void SetText(const char* text) override;
};

class CoolBar : public Control {
public:
    void Create(const CreateContext& context) override;
    // The child becomes the control of the bar's one band.
    void AdoptChild(Control& child, const ComponentPlacement& placement) override;

private:
    int bandWidth_ = 0;
};

class ToolBar : public Control {
public:
    void Create(const CreateContext& context) override;
    // A tool button takes its place in the row; any other control gets a slot of its width.
    void AdoptChild(Control& child, const ComponentPlacement& placement) override;
    // The name is what a screen reader says for the button; no caption is shown.
    void AddButton(int id, int image, const char* name, bool enabled);
    void AddSeparator(int id, int width);
};

// A button of a tool bar: not a window of its own, but a command of its tool bar.
class ToolButton : public Control {
public:
    void Create(const CreateContext& context) override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;
    const char* Hint() const noexcept { return hint_; }

private:
    const char* hint_ = "";
};

// An editable text field with a drop-down list, completing typed text from its items.
class ComboBox : public Control {
public:
    using KeyPressHandler = std::function<void(char& key)>;

    void Create(const CreateContext& context) override;
    void AddItem(const char* item);
    // Sees every typed character first and may discard it by setting it to 0.
    void SetKeyPressHandler(KeyPressHandler handler) { onKeyPress_ = std::move(handler); }
    std::string Text() const;
    HWND EditHandle() const noexcept { return edit_; }

private:
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool Complete(char typed);

    HWND edit_ = nullptr;
    KeyPressHandler onKeyPress_;
};
