// A fake seam for unit tests of the commands: holds control texts, answers HTTP requests from a
// canned reply, and records every call in order.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/seam.h"

namespace kelo::testing {

struct SeamCall {
  enum class Kind {
    ControlText,
    SetControlText,
    HttpReadFile,
    SetClipboardText,
    ShellOpen,
    SetSkinScheme,
    ShowModal,
  };
  Kind kind;
  ControlId control = ControlId::None;  // ControlText, SetControlText
  std::string text;                     // the text written, the URL, the clipboard text, ...
  int scheme = 0;                       // SetSkinScheme
  WindowId window = WindowId::Main;     // ShowModal

  bool operator==(const SeamCall&) const = default;
};

class FakeSeam : public Seam {
 public:
  // What the fake answers. `replyFor`, when set, wins over `reply`.
  ByteBuffer reply;
  std::function<ByteBuffer(std::string_view url)> replyFor;
  bool clipboardWorks = true;
  // Runs inside showModal, standing for the modal window's own events.
  std::function<void(WindowId)> whileModal;

  // Current state, for setting up a test and checking its end.
  std::map<ControlId, Text> controls;
  std::optional<std::string> clipboard;
  int skinScheme = 0;

  // Every call, in order.
  std::vector<SeamCall> calls;

  Text controlText(ControlId id) override {
    calls.push_back({SeamCall::Kind::ControlText, id, {}});
    const auto it = controls.find(id);
    return it == controls.end() ? Text() : it->second;
  }

  void setControlText(ControlId id, std::string_view text) override {
    calls.push_back({SeamCall::Kind::SetControlText, id, std::string(text)});
    controls[id] = Text(text);
  }

  ByteBuffer httpReadFile(std::string_view url) override {
    calls.push_back({SeamCall::Kind::HttpReadFile, ControlId::None, std::string(url)});
    return replyFor ? replyFor(url) : reply;
  }

  bool setClipboardText(std::string_view text) override {
    calls.push_back({SeamCall::Kind::SetClipboardText, ControlId::None, std::string(text)});
    if (!clipboardWorks) return false;
    clipboard = std::string(text);
    return true;
  }

  void shellOpen(std::string_view address) override {
    calls.push_back({SeamCall::Kind::ShellOpen, ControlId::None, std::string(address)});
  }

  void setSkinScheme(int scheme) override {
    calls.push_back({SeamCall::Kind::SetSkinScheme, ControlId::None, {}, scheme});
    skinScheme = scheme;
  }

  void showModal(WindowId window) override {
    calls.push_back({SeamCall::Kind::ShowModal, ControlId::None, {}, 0, window});
    if (whileModal) whileModal(window);
  }

  // The calls of one kind, in order.
  std::vector<SeamCall> callsOf(SeamCall::Kind kind) const {
    std::vector<SeamCall> found;
    for (const SeamCall& call : calls) {
      if (call.kind == kind) found.push_back(call);
    }
    return found;
  }

  // The URLs requested, in order.
  std::vector<std::string> requests() const {
    std::vector<std::string> urls;
    for (const SeamCall& call : callsOf(SeamCall::Kind::HttpReadFile)) urls.push_back(call.text);
    return urls;
  }

  // The (control, text) writes, in order.
  std::vector<std::pair<ControlId, std::string>> writes() const {
    std::vector<std::pair<ControlId, std::string>> found;
    for (const SeamCall& call : callsOf(SeamCall::Kind::SetControlText)) {
      found.emplace_back(call.control, call.text);
    }
    return found;
  }

  Text text(ControlId id) const {
    const auto it = controls.find(id);
    return it == controls.end() ? Text() : it->second;
  }
};

}  // namespace kelo::testing
