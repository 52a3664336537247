// The seam: everything the portable commands ask of the platform. Each front end implements it;
// the unit tests implement it with a fake.
#pragma once

#include <string_view>

#include "analysis/text.h"
#include "app/control_id.h"

namespace kelo {

class Seam {
 public:
  virtual ~Seam() = default;

  // Control texts, as Texts (GBK bytes).
  virtual Text controlText(ControlId id) = 0;
  virtual void setControlText(ControlId id, std::string_view text) = 0;

  // One blocking HTTP GET: the body whatever the status, the bytes received so far when the
  // transfer breaks, empty on any failure before the body.
  virtual ByteBuffer httpReadFile(std::string_view url) = 0;

  // Plain ANSI text on the clipboard; false when the clipboard could not be opened or the block
  // could not be allocated.
  virtual bool setClipboardText(std::string_view text) = 0;

  // Opens an address with the operating system's shell (the default browser for a web address).
  virtual void shellOpen(std::string_view address) = 0;

  // Switches the control skin for the whole user-interface thread: 1, 2 or 3 a colour scheme,
  // anything else off.
  virtual void setSkinScheme(int scheme) = 0;

  // Loads a window modally and returns when it has been closed.
  virtual void showModal(WindowId window) = 0;
};

}  // namespace kelo
