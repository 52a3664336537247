// The commands bound to the windows' events.
#include "app/commands.h"

#include "analysis/analyze_command.h"
#include "app/build_config.h"

namespace kelo {

void CopyAddressCommand(Seam& seam, ControlId box) {
  // Nothing is shown when the clipboard refuses: the user simply copies again.
  (void)seam.setClipboardText(seam.controlText(box));
}

void ShowAboutCommand(Seam& seam) { seam.showModal(WindowId::About); }

void OpenHomePageCommand(Seam& seam, int, int, int) {
  // The position and the modifier keys make no difference: any press opens the page.
  seam.shellOpen(config::kHomePage);
}

void ApplySkin(Seam& seam) { seam.setSkinScheme(1); }

void runControlCommand(Seam& seam, const ControlDesign& control, int x, int y, int keys) {
  switch (control.command) {
    case Command::None: return;
    case Command::Analyze: AnalyzeCommand(seam); return;
    case Command::CopyAddress: CopyAddressCommand(seam, control.commandTarget); return;
    case Command::ShowAbout: ShowAboutCommand(seam); return;
    case Command::OpenHomePage: OpenHomePageCommand(seam, x, y, keys); return;
  }
}

}  // namespace kelo
