// A top-level window built from its design: its controls, fonts, colours, tab order, keyboard,
// start position and event bindings. The constructor builds it hidden and fires the created
// event; the caller shows it.
#pragma once

#include <QWidget>

#include <map>

#include "app/design.h"
#include "app/seam.h"

namespace kelo::qt {

class DesignWindow final : public QWidget {
  Q_OBJECT

 public:
  // `owner`: the window this one belongs to (AboutWindow: MainWindow), which keeps it off the
  // task bar and above its owner.
  DesignWindow(const WindowDesign& design, Seam& seam, QWidget* owner = nullptr);

  const WindowDesign& design() const { return design_; }
  // The control of that id, or nullptr when the window has none.
  QWidget* control(ControlId id) const;
  // False when a control could not be built (its container is not in the design before it).
  bool isComplete() const { return complete_; }
  // True once the window has been closed; it may still await deletion.
  bool isClosed() const { return closed_; }

 signals:
  void closed();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* createControl(const ControlDesign& control);
  void fitOuterSize();

  const WindowDesign& design_;
  Seam& seam_;
  std::map<ControlId, QWidget*> controls_;  // owned by their containers
  bool complete_ = true;
  bool closed_ = false;
  bool fitted_ = false;
};

}  // namespace kelo::qt
