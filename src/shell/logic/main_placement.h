#pragma once
// Where the main window opens: large enough at a first start for the largest
// child window, and never hanging off the screen.
#include <vector>

namespace qb {

// A rectangle on the desktop, in pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const ScreenRect&) const = default;
};

// Area the two rectangles share (0 when they do not meet).
long long OverlapArea(const ScreenRect& a, const ScreenRect& b);

// The window's frame moved and, where it is larger, shrunk into the available
// area of the screen it overlaps most; a window on no screen goes onto the
// first. With no screens the window stays as it is.
ScreenRect KeepOnScreen(ScreenRect frame, const std::vector<ScreenRect>& available);

}  // namespace qb
