// The seam of the Linux program: control texts through the project's codec, libcurl, the
// clipboard, the desktop's URL opener, the skin and the modal loop.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "app/qt/http_client.h"
#include "app/seam.h"
#include "app/written_texts.h"

namespace kelo::qt {

class DesignWindow;

class QtSeam final : public Seam {
 public:
  Text controlText(ControlId id) override;
  void setControlText(ControlId id, std::string_view text) override;
  ByteBuffer httpReadFile(std::string_view url) override;
  bool setClipboardText(std::string_view text) override;
  void shellOpen(std::string_view address) override;
  void setSkinScheme(int scheme) override;
  void showModal(WindowId window) override;

 private:
  WrittenTexts<QPointer<QWidget>, QString> written_;
  HttpClient http_;
};

// The open window of the program with that design, or nullptr.
DesignWindow* liveWindow(WindowId id);
// The control of that id in any open window of the program, or nullptr.
QWidget* liveControl(ControlId id);

}  // namespace kelo::qt
