#pragma once
// Steps the bracket setup and results windows share.
#include <string>

class QWidget;

namespace qb {

struct AppContext;
class ChildWindow;

inline constexpr const char* kPreviewOpenText =
    "Print Preview already open for another print form!\r\n"
    "Please close it and then try printing this one again.";
inline constexpr const char* kSaveBeforePreviewText =
    "Do you want to save your changes before previewing the print form?";

// Closes a child window that closes itself (OK, Cancel after its question):
// its frame in the main window goes with it, without asking again.
void UnloadChild(ChildWindow* window);

// The main window's entry pop-up menu with only its OK and Cancel items.
void ShowSaveCancelPopup(AppContext& ctx, QWidget* over);

// Hands a document to the print preview (-2 the blank pool form, -1 the
// results). Refuses with a message when the print form cannot be opened, and
// then leaves PrintEntry at 0 so no later preview is blocked.
void OpenPrintForm(AppContext& ctx, int document);

// Size of a window that shows a bracket of the given twips, kept on the screen.
void SizeToBracket(QWidget* window, int widthTwips, int heightTwips);

}  // namespace qb
