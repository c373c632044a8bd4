#include "ui/NativeControls.h"

#include "ui/ComboCompletion.h"
#include "ui/ErrorDisplay.h"
#include "ui/GdiOwners.h"

#include <string>
#include <vector>

namespace {
HFONT FontFor(const CreateContext& context)
{
    return context.placement.appearance & Bold ? context.style.boldFont : context.style.font;
}

SIZE TextExtent(HWND window, const char* text)
{
    SIZE size{};
    const WindowDc dc(window);
    HGDIOBJ previous = SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc.get(), text, lstrlenA(text), &size);
    SelectObject(dc.get(), previous);
    return size;
}

std::string WindowText(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)), '\0');
    if (!text.empty())
        text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}
}  // namespace

void Label::Create(const CreateContext& context)
{
    const unsigned appearance = context.placement.appearance;
    sizedToText_ = appearance & SizedToText;
    CreateNative(context, 0, "STATIC", SS_NOPREFIX | (appearance & AlignRight ? SS_RIGHT : SS_LEFT), FontFor(context));
    if (sizedToText_)
        SetText(context.placement.text);
}

void Label::SetText(const char* text)
{
    RECT before;
    GetWindowRect(window_, &before);
    MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&before), 2);
    // The size first, so that the new text is painted whole, never clipped to the old width.
    if (sizedToText_)
        SetWindowPos(window_, nullptr, 0, 0, TextExtent(window_, text).cx, before.bottom - before.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    Control::SetText(text);
    InvalidateRect(window_, nullptr, TRUE);
    // Where the label was, its parent shows again: a shorter text, or a label drawn on its parent's face.
    InvalidateRect(GetParent(window_), &before, TRUE);
}

void PushButton::Create(const CreateContext& context)
{
    CreateNative(context, 0, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, FontFor(context));
}

void TabControl::Create(const CreateContext& context)
{
    const DWORD tabStop = context.placement.appearance & NotTabStop ? 0 : WS_TABSTOP;
    CreateNative(context, WS_EX_CONTROLPARENT, WC_TABCONTROLA, WS_CLIPCHILDREN | tabStop, FontFor(context));
    ForwardChildMessagesToParent(window_);
}

void StatusBar::Create(const CreateContext& context)
{
    CreateNative(context, 0, STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, context.style.statusFont);
    SendMessageA(window_, SB_SIMPLE, TRUE, 0);
    SetText(context.placement.text);
}

void StatusBar::SetText(const char* text)
{
    SendMessageA(window_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
    // The simple text is what shows; the first part holds the same text so that readers
    // asking for part 0 or the window text hear what is shown.
    SendMessageA(window_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void CoolBar::Create(const CreateContext& context)
{
    bandWidth_ = context.placement.width;
    CreateNative(context, 0, REBARCLASSNAMEA, WS_CLIPCHILDREN | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE, FontFor(context));
    REBARINFO info{sizeof info, 0, nullptr};
    SendMessageA(window_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
}

void CoolBar::AdoptChild(Control& child, const ComponentPlacement& placement)
{
    REBARBANDINFOA band{};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_HEADERSIZE;
    band.fStyle = RBBS_NOGRIPPER;
    band.hwndChild = child.Handle();
    band.cxMinChild = 0;
    band.cyMinChild = static_cast<UINT>(placement.height);
    band.cx = static_cast<UINT>(bandWidth_);
    band.cxHeader = static_cast<UINT>(placement.left);
    SendMessageA(window_, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    // The band lays its child out by its own rules; the form's description has the last word.
    SetWindowPos(child.Handle(), nullptr, placement.left, placement.top, placement.width, placement.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToolBar::Create(const CreateContext& context)
{
    CreateNative(context, 0, TOOLBARCLASSNAMEA,
                 TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | WS_CLIPCHILDREN, FontFor(context));
    SendMessageA(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(window_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageA(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(context.style.images));
    SendMessageA(window_, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 22));
    // Buttons carry their names for screen readers, but show no caption.
    SendMessageA(window_, TB_SETMAXTEXTROWS, 0, 0);
    ForwardChildMessagesToParent(window_);
}

void ToolBar::AdoptChild(Control& child, const ComponentPlacement& placement)
{
    if (placement.kind != ComponentKind::ToolButton)
        AddSeparator(child.Id(), placement.width);
}

void ToolBar::AddButton(int id, int image, const char* name, bool enabled)
{
    TBBUTTON button{};
    button.iBitmap = image;
    button.iString = reinterpret_cast<INT_PTR>(name);
    button.idCommand = id;
    button.fsState = enabled ? TBSTATE_ENABLED : 0;
    button.fsStyle = TBSTYLE_BUTTON;
    SendMessageA(window_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
}

void ToolBar::AddSeparator(int id, int width)
{
    TBBUTTON separator{};
    separator.iBitmap = width;
    separator.idCommand = id;
    separator.fsStyle = TBSTYLE_SEP;
    SendMessageA(window_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&separator));
}

void ToolButton::Create(const CreateContext& context)
{
    auto& toolBar = static_cast<ToolBar&>(*context.parent);
    window_ = toolBar.Handle();
    id_ = context.id;
    hint_ = context.placement.text;
    if (context.placement.appearance & Separator)
        toolBar.AddSeparator(id_, context.placement.width);
    else
        toolBar.AddButton(id_, context.placement.image, hint_, !(context.placement.appearance & Disabled));
}

void ToolButton::SetEnabled(bool enabled) { SendMessageA(window_, TB_ENABLEBUTTON, static_cast<WPARAM>(id_), MAKELPARAM(enabled, 0)); }

bool ToolButton::Enabled() const { return SendMessageA(window_, TB_ISBUTTONENABLED, static_cast<WPARAM>(id_), 0) != 0; }

void ComboBox::Create(const CreateContext& context)
{
    const ComponentPlacement& p = context.placement;
    // The height given to a drop-down combo box is that of the box with its list dropped.
    const ComponentPlacement dropped{p.kind, p.parent, p.left, p.top, p.width, p.height * 8, p.text, p.appearance, p.image};
    const CreateContext droppedContext{context.name, dropped, context.parent, context.parentWindow, context.style, context.id};
    CreateNative(droppedContext, 0, "COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, FontFor(context));
    // The selection field's height follows its item height; the box's closed height is the form's.
    // The field's borders differ between versions, so the difference is measured, not assumed.
    LRESULT itemHeight = SendMessageA(window_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT closed;
        GetWindowRect(window_, &closed);
        const LONG missing = p.height - (closed.bottom - closed.top);
        if (missing == 0)
            break;
        itemHeight += missing;
        SendMessageA(window_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(window_, &info);
    edit_ = info.hwndItem;
    SetWindowSubclass(edit_, EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void ComboBox::AddItem(const char* item) { SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item)); }

std::string ComboBox::Text() const { return WindowText(window_); }

bool ComboBox::Complete(char typed)
{
    const int count = static_cast<int>(SendMessageA(window_, CB_GETCOUNT, 0, 0));
    std::vector<std::string> itemTexts(static_cast<std::size_t>(count > 0 ? count : 0));
    std::vector<std::string_view> items;
    for (int i = 0; i < count; ++i) {
        std::string& item = itemTexts[static_cast<std::size_t>(i)];
        item.resize(static_cast<std::size_t>(SendMessageA(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1);
        item.resize(static_cast<std::size_t>(SendMessageA(window_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const TypingResult result = CompleteTyping({WindowText(edit_), start, end}, typed, items);
    if (result.action == TypingResult::Action::PassOn)
        return false;
    // Changing the current item rewrites the field, so the text is set after it.
    SendMessageA(window_, CB_SETCURSEL, static_cast<WPARAM>(result.dropCurrentItem ? -1 : result.currentItem), 0);
    SetWindowTextA(edit_, result.edit.text.c_str());
    SendMessageA(edit_, EM_SETSEL, result.edit.selectionStart, static_cast<LPARAM>(result.edit.selectionEnd));
    return true;
}

LRESULT CALLBACK ComboBox::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    auto& box = *reinterpret_cast<ComboBox*>(self);
    try {
        switch (message) {
        case WM_GETDLGCODE:
            // Enter belongs to the box's key handler, not to the dialog navigation.
            if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
                return DLGC_WANTMESSAGE;
            break;
        case WM_CHAR: {
            // The box's items and keys of interest are plain ASCII; other characters go
            // straight to the field, whatever its character set.
            if (wParam > 0x7F)
                break;
            char key = static_cast<char>(wParam);
            if (box.onKeyPress_)
                box.onKeyPress_(key);
            if (key == 0 || box.Complete(key))
                return 0;
            wParam = static_cast<unsigned char>(key);
            break;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, EditProc, 0);
            break;
        }
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}
