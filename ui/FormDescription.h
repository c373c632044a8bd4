#pragma once
// A window described as data: one row per component, in creation order. The builder creates
// each native window from its row and binds the row to the form's field of that name.

// What a component looks like beyond its kind; combined as bit flags.
enum Appearance : unsigned {
    Plain = 0,
    Bold = 1 << 0,
    AlignRight = 1 << 1,
    SizedToText = 1 << 2,     // a label whose width follows its measured text
    NotTabStop = 1 << 3,
    Disabled = 1 << 4,        // initially disabled
    Black = 1 << 5,           // black background
    LimeText = 1 << 6,        // lime text on black
    Separator = 1 << 7,       // a tool-bar separator
    NoClipChildren = 1 << 8,  // a container that paints under its children
};

enum class ComponentKind { TabControl, FrameBox, Label, PushButton, Panel, Shape, Image, StatusBar, CoolBar, ToolBar, ToolButton, ComboBox };

// Where a component sits and how it looks.
struct ComponentPlacement {
    ComponentKind kind;
    const char* parent;  // nullptr: the form's own window
    int left, top, width, height;
    const char* text = "";  // the caption, or the hint of a tool button
    unsigned appearance = Plain;
    int image = -1;         // tool buttons: index into the image list
};

class Control;

template <class Form>
struct ComponentDescription {
    Control& (*field)(Form&);
    const char* name;
    ComponentPlacement placement;
    void (Form::*onEvent)() = nullptr;  // click or tick
};

// A row's binding: the form's field and its name, written once.
#define COMPONENT(Form, field) [](Form& form) -> Control& { return form.field; }, #field
