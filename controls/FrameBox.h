#pragma once
// TFrameBox: a caption and a frame around a group of controls. It is the system's own group box
// (a "BUTTON" in group-box style) under a class of its own, and a container: its children are
// created with Handle() as their parent, and their notifications and colour requests are passed
// on to the box's parent, so the window that owns the form handles them as if they were its own.
#include <windows.h>

#include <string>
#include <type_traits>

class TFrameBox {
public:
    TFrameBox() = default;
    TFrameBox(const TFrameBox&) = delete;
    TFrameBox& operator=(const TFrameBox&) = delete;
    ~TFrameBox();

    // Where the window goes. Set it before the window is created.
    void SetParent(HWND parent) noexcept { parent_ = parent; }
    HWND Parent() const noexcept { return parent_; }

    // The native window, created now (in the parent) if it does not exist yet.
    // Throws when there is no parent to create it in, or when the system refuses to create it.
    HWND Handle();
    bool HandleAllocated() const noexcept { return window_ != nullptr; }

    const std::string& Name() const noexcept { return name_; }
    // The caption follows the name for as long as it still equals the old name.
    void SetName(const std::string& name);

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption);

    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetBounds(int left, int top, int width, int height) noexcept;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled) noexcept;
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible) noexcept;

    // The caption's font; none means the parent's font, as the parent has it at creation.
    // The caller keeps the font alive for as long as the window uses it.
    void SetFont(HFONT font) noexcept;

    bool TabStop() const noexcept { return tabStop_; }
    // Rewrites WS_TABSTOP while the window exists; the window is always created without it.
    void SetTabStop(bool tabStop) noexcept;

    bool ClipChildren() const noexcept { return clipChildren_; }
    // Sets or clears WS_CLIPCHILDREN of the window, creating the window first if need be.
    // Nothing is repainted: the caller decides when the change shows.
    void SetClipChildren(bool clipChildren);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateHandle();

    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::string name_;
    std::string caption_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 185;
    int height_ = 105;
    bool enabled_ = true;
    bool visible_ = true;
    bool tabStop_ = true;
    bool clipChildren_ = true;
};

static_assert(!std::is_copy_constructible_v<TFrameBox> && !std::is_copy_assignable_v<TFrameBox>);
