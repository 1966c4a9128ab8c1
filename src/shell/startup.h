#pragma once
// The start-up sequence of the program, up to the first user choice.
#include "platform/app_context.h"
#include "shell/frmMain.h"
#include "shell/frmStartup.h"

namespace qb {

// Carries out what the start-up chooser handed back.
void RunStartupChoice(frmMain& main, const StartupChoice& choice);

// Sound option, printer settings, splash, the main window loaded and shown,
// then the start-up chooser over it.
void StartProgram(AppContext& ctx, frmMain& main);

}  // namespace qb
