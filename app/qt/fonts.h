// The designs' fonts on Linux: the Windows face names mapped to faces found here.
#pragma once

#include <QFont>

#include <optional>

#include "app/design.h"

namespace kelo::qt {

// Registers, once per program, the faces that stand in for the Windows ones the designs name.
void installFontSubstitutes();

// A control's own font, or the application's default font (the system's default GUI font) when
// the design gives none. Heights are character heights in pixels, as on Windows.
QFont designFont(const std::optional<FontSpec>& design);

}  // namespace kelo::qt
