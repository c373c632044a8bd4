#include "ui/HintPlacement.h"

#include <algorithm>

ScreenRect PlaceHint(ScreenPoint pointer, int width, int height, int cursorHeight, const ScreenRect& screen)
{
    int left = std::max(std::min(pointer.x, screen.right - width), screen.left);
    int top = pointer.y + cursorHeight;
    if (top + height > screen.bottom)
        top = std::max(pointer.y - height, screen.top);
    return {left, top, left + width, top + height};
}
