// The calculation window as the user opens it: the fixed sheet of frmKelvo
// under a menu bar (ファイル, 表示, ヘルプ).
//
// The sheet is hosted as the central widget of a QMainWindow rather than
// given a menu bar of its own: its 36 controls keep their positions relative
// to the sheet, and the sheet keeps its fixed 172 × 442 client area, while
// the menu bar takes its own strip above it at whatever height the style and
// scale need.
#pragma once

#include <QMainWindow>

class QAction;
class QMenu;

namespace saiha::window {

class frmKelvo;

class CalcWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit CalcWindow(QWidget* parent = nullptr);

  frmKelvo& sheet() const { return *sheet_; }
  // 表示 → 断面図 (Ctrl+G).
  QAction* profileAction() const { return profileAction_; }
  // ファイル and its 終了, for the program to add its entries above it.
  QMenu* fileMenu() const { return file_; }
  QAction* quitAction() const { return quit_; }
  // ヘルプ and its バージョン情報, for the program's help entry above it.
  QMenu* helpMenu() const { return help_; }
  QAction* aboutAction() const { return about_; }

  // The program's version, "major.minor.patch".
  static QString version();
  // The text of ヘルプ → バージョン情報.
  static QString aboutText();

 signals:
  // The user asked for the profile window (menu or Ctrl+G).
  void profileRequested();
  // The program's language changed (表示 → 言語 / Language); the menus and
  // the sheet already show it.
  void languageChanged();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void buildMenus();
  void retranslate();

  QMenu* file_ = nullptr;
  QMenu* view_ = nullptr;
  QMenu* help_ = nullptr;
  QAction* quit_ = nullptr;
  QAction* about_ = nullptr;

  frmKelvo* sheet_ = nullptr;
  QAction* profileAction_ = nullptr;
};

}  // namespace saiha::window
