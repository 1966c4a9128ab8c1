#pragma once
// The pictures of the main window: its own icon and the top toolbar's buttons.
#include <QIcon>
#include <string>

namespace qb {

// The icon theme's picture where the desktop theme has a fitting one, else
// our own drawn pictogram (all of ours drawn alike: dark outlines, one accent).
QIcon ToolbarIcon(const std::string& key);
// Our own drawn pictogram of a toolbar button, whatever the theme has.
QIcon DrawnToolbarIcon(const std::string& key);
// Name in the desktop icon theme of a button's picture; empty where the
// theme names none that fits.
const char* ThemeIconName(const std::string& key);

// The program's own icon: a small bracket.
QIcon AppIcon();

}  // namespace qb
