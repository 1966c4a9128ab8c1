#include "shell/logic/main_placement.h"

#include <algorithm>

namespace qb {

long long OverlapArea(const ScreenRect& a, const ScreenRect& b) {
  const long long w = std::min(a.right(), b.right()) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

ScreenRect KeepOnScreen(ScreenRect frame, const std::vector<ScreenRect>& available) {
  if (available.empty()) return frame;
  const ScreenRect* screen = &available.front();
  long long best = 0;
  for (const ScreenRect& s : available) {
    const long long area = OverlapArea(frame, s);
    if (area > best) {
      best = area;
      screen = &s;
    }
  }
  frame.width = std::min(frame.width, screen->width);
  frame.height = std::min(frame.height, screen->height);
  frame.left = std::clamp(frame.left, screen->left, screen->right() - frame.width);
  frame.top = std::clamp(frame.top, screen->top, screen->bottom() - frame.height);
  return frame;
}

}  // namespace qb
