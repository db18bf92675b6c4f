// The calculation window: five input boxes, twelve result boxes and the
// Calculate button, laid out as a fixed 172 × 442 sheet.  The window is the
// sheet the calculation reads and writes: its text boxes are the boxes.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "sheet/calc.h"
#include "sheet/sheet.h"

class QFont;
class QLineEdit;

namespace saiha::window {

class frmKelvo final : public QWidget, public sheet::SheetAccess {
  Q_OBJECT

 public:
  // Tells the user why a calculation stopped.  The default shows a warning
  // message box; tests install one that records the message instead.
  using Reporter = std::function<void(const QString& message)>;

  // Builds the 36 controls and puts in the start-up texts.
  explicit frmKelvo(QWidget* parent = nullptr);

  // The text of a box, UTF-8.
  std::string text(sheet::Box box) const override;
  // Replaces the whole text of a box.
  void setText(sheet::Box box, const std::string& text) override;

  void setReporter(Reporter reporter);

  // The window's caption, also the title of its message boxes.
  static QString caption();
  // The typeface and size every control of the window is drawn with.
  static QFont sheetFont();

 signals:
  // A press of 計算 has run one calculation over the boxes, whether or not
  // it ended early; sent before any message reaches the user.
  void calculated();

 private slots:
  // Command1 pressed: one calculation over the window's boxes.
  void calculate();

 protected:
  // QEvent::LanguageChange: every caption and tooltip in the new language.
  void changeEvent(QEvent* event) override;

 private:
  void buildControls();
  void retranslate();
  void showError(const sheet::CalcError& error);

  std::array<QLineEdit*, sheet::kBoxCount> boxes_{};
  Reporter reporter_;
};

}  // namespace saiha::window
