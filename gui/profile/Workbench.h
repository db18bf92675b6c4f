// What a user keeps and hands on from both windows: cases (ファイル →
// ケースを開く / ケースを保存 / 最近のケース) and the results as a table for a
// spreadsheet (結果をコピー).  It reads and writes the calculation window
// through its boxes and the profile window through its choices, so that
// neither window needs to know the other.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

#include "gui/profile/CaseFile.h"

class QAction;
class QMenu;
class QWidget;

namespace saiha::sheet {
class SheetAccess;
}

namespace saiha::profile {

class ProfileWindow;

class Workbench final : public QObject {
  Q_OBJECT

 public:
  // Tells the user why a case could not be saved or opened.  The default
  // shows a warning box over the window whose menu was used; tests install
  // one that records the message.
  using Reporter = std::function<void(const QString& message)>;

  // `boxes` are the calculation window's; `profile` gives the profile
  // window, made (hidden) on first use.  Both outlive the workbench.
  Workbench(sheet::SheetAccess& boxes, std::function<ProfileWindow&()> profile,
            QObject* parent = nullptr);

  // The case as both windows show it now.
  Case currentCase();
  // Writes the case to `path` whole, or leaves any file there as it was.
  bool saveCase(const QString& path);
  // Reads `path` and, only when it is a case this program reads, puts its
  // inputs in the calculation window's boxes (every result box back to
  // "????": those results were not calculated from these inputs) and its
  // choices in the profile window.  Either way the outcome is reported.
  bool openCase(const QString& path);
  // Cases saved or opened, most recent first (QSettings "cases/recent").
  QStringList recentCases() const;

  // The calculation window's inputs and results, then the comparison table,
  // as tab-separated text: each block a header line with units and its
  // rows, the blocks apart by an empty line; LF line ends.
  QString resultsText();
  // The heading of a box of the calculation window with its unit, as the
  // copy and the report name it: "Ho (m)", "Hb (m)", "波長 L (m)".
  static QString boxTitle(sheet::Box box);
  // resultsText() on the clipboard.
  void copyResults();

  // Adds ケースを開く, ケースを保存 and 最近のケース to `menu` before `before`
  // (at the end when null), and a separator after them.
  void addCaseActions(QMenu* menu, QAction* before = nullptr);
  // Adds 結果をコピー (Ctrl+Shift+C) to `menu` before `before`.
  QAction* addCopyAction(QMenu* menu, QAction* before = nullptr);

  void setReporter(Reporter reporter);

 public slots:
  // The actions' texts in the program's language now.
  void retranslate();

 private:
  void remember(const QString& path);
  void fillRecent(QMenu* menu, QWidget* window);
  void report(const QString& message);
  QString askOpenPath(QWidget* parent);
  QString askSavePath(QWidget* parent);

  sheet::SheetAccess& boxes_;
  std::function<ProfileWindow&()> profile_;
  Reporter reporter_;
  // The window whose menu was used last: the parent of dialogs and boxes.
  QPointer<QWidget> window_;
  struct Entry {
    QPointer<QAction> action;
    int role;
  };
  QList<Entry> actions_;
};

}  // namespace saiha::profile
