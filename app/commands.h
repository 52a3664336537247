// The commands bound to the windows' events, portable over the seam.
#pragma once

#include "app/design.h"
#include "app/seam.h"

namespace kelo {

// Modifier keys passed with a label's left-button press.
enum ModifierKey : int { kCtrl = 1, kShift = 2, kAlt = 4 };

void CopyAddressCommand(Seam& seam, ControlId box);
void ShowAboutCommand(Seam& seam);
void OpenHomePageCommand(Seam& seam, int x, int y, int keys);
void ApplySkin(Seam& seam);

// Runs what a control's click (button) or left-button press (label) is bound to.
void runControlCommand(Seam& seam, const ControlDesign& control, int x = 0, int y = 0,
                       int keys = 0);

}  // namespace kelo
