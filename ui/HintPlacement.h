#pragma once
// Where a hint window goes on the screen. Plain geometry, free of <windows.h>.

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// A hint of the given size goes just below the pointer's cursor (cursorHeight: from the pointer's
// hot spot to the cursor's lowest drawn line), extending to the right; it moves left to stay on the
// screen, and above the pointer when there is no room below it.
ScreenRect PlaceHint(ScreenPoint pointer, int width, int height, int cursorHeight, const ScreenRect& screen);
