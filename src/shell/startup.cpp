#include "shell/startup.h"

#include "platform/sound_input_filter.h"
#include "reports/logic/printer_settings.h"
#include "shell/frmSplash.h"
#include "shell/logic/startup.h"

namespace qb {

void RunStartupChoice(frmMain& main, const StartupChoice& choice) {
  switch (choice.kind) {
    case StartupChoice::Kind::Cancelled:
      break;
    case StartupChoice::Kind::RecentFile:
      main.InitialOpen(choice.path);
      break;
    case StartupChoice::Kind::MoreFiles:
      main.RunCommand("mnuFileOpen");
      break;
    case StartupChoice::Kind::NewFile:
      main.RunCommand("mnuFileNew");
      break;
    case StartupChoice::Kind::DownloadBracket:
      main.RunCommand("mnuToolsDownloadBracket");
      break;
  }
}

void StartProgram(AppContext& ctx, frmMain& main) {
  PoolState& pool = ctx.pool;
  // Every mouse or key press starts a new user action, in every window.
  InstallSoundInputFilter(pool, &main);
  pool.SoundStatus = ReadSoundOption(ctx.settings);
  LoadPrinterSettings(pool, ctx.settings);
  // Shows the splash until it closes, clears the sound-played count and pauses.
  frmSplash::Run(ctx);
  ctx.main = &main;
  main.MDIForm_Load();
  pool.PoolChanged = false;
  pool.NumEntries = 0;
  FillSeedMethodNames(pool);
  main.show();
  RunStartupChoice(main, frmStartup::Ask(ctx, &main));
}

}  // namespace qb
