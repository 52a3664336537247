// The bytes last written into each control, kept beside the text the control was given for them,
// so that reading a control that still shows that text gives back those very bytes, also where
// they are not valid GB18030 and the conversion to the toolkit's Unicode could not carry them
// both ways. Each front end keeps one, with its own control handle and Unicode string types.
#pragma once

#include <map>
#include <optional>
#include <string_view>

#include "analysis/text.h"
#include "app/control_id.h"

namespace kelo {

template <typename Handle, typename Shown>
class WrittenTexts {
 public:
  // After writing `bytes` into a control as `given`: remembered only while the control holds
  // all of it (an edit box may keep less than it was given).
  template <typename Control>
  void wrote(ControlId id, Control control, std::string_view bytes, const Shown& given,
             const Shown& held) {
    if (held == given) {
      entries_.insert_or_assign(id, Entry{Handle(control), Text(bytes), given});
    } else {
      entries_.erase(id);
    }
  }

  // The bytes last written, when this same control still shows what it was given.
  template <typename Control>
  std::optional<Text> recall(ControlId id, Control control, const Shown& shown) const {
    auto it = entries_.find(id);
    if (it == entries_.end() || !(it->second.control == control) || !(it->second.shown == shown)) {
      return std::nullopt;
    }
    return it->second.bytes;
  }

 private:
  struct Entry {
    Handle control;  // a control with the same id in a later window is another control
    Text bytes;
    Shown shown;
  };
  std::map<ControlId, Entry> entries_;
};

}  // namespace kelo
