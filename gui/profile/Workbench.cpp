#include "gui/profile/Workbench.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>

#include "gui/language.h"
#include "gui/profile/ComparisonModel.h"
#include "gui/profile/MeasuredProfileView.h"
#include "gui/profile/ProfileChart.h"
#include "gui/profile/ProfileWindow.h"
#include "sheet/sheet.h"

namespace saiha::profile {

namespace {

const QString kRecentKey = QStringLiteral("cases/recent");
const QString kFolderKey = QStringLiteral("cases/folder");
constexpr qsizetype kRecentCount = 8;

enum Role { Open, Save, Recent, Copy };

QString boxText(const sheet::SheetAccess& boxes, sheet::Box box) {
  return QString::fromStdString(boxes.text(box));
}

// The second quantity's axis title ("波長 L (m)") for a result box at the
// chosen depth.
QString quantityTitle(Quantity quantity) {
  for (const QuantityInfo& info : kQuantities) {
    if (info.quantity == quantity) return ProfileChart::tr(info.axisTitle);
  }
  return {};
}

}  // namespace

Workbench::Workbench(sheet::SheetAccess& boxes, std::function<ProfileWindow&()> profile,
                     QObject* parent)
    : QObject(parent), boxes_(boxes), profile_(std::move(profile)) {
  reporter_ = [this](const QString& message) {
    QMessageBox::warning(window_, window_ ? window_->windowTitle() : QString(), message);
  };
}

void Workbench::setReporter(Reporter reporter) { reporter_ = std::move(reporter); }

void Workbench::report(const QString& message) { reporter_(message); }

Case Workbench::currentCase() {
  Case c;
  for (std::size_t i = 0; i < sheet::kInputBoxes.size(); ++i) {
    c.inputs[i] = boxText(boxes_, sheet::kInputBoxes[i]);
  }
  c.choices = profile_().choices();
  return c;
}

bool Workbench::saveCase(const QString& path) {
  const QByteArray bytes = caseJson(currentCase());
  QSaveFile file(path);
  if (!(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())) {
    report(tr("ケースを保存できませんでした: %1").arg(path));
    return false;
  }
  remember(path);
  return true;
}

bool Workbench::openCase(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    report(tr("ケースを開けませんでした: %1").arg(path));
    return false;
  }
  QString error;
  // Whatever follows a case's size is no case of this program's.
  const std::optional<Case> c = readCase(file.read(1 << 20), &error);
  if (!c) {
    report(tr("ケースを開けませんでした: %1").arg(path) + QLatin1Char('\n') + error);
    return false;
  }
  for (std::size_t i = 0; i < sheet::kInputBoxes.size(); ++i) {
    boxes_.setText(sheet::kInputBoxes[i], c->inputs[i].toStdString());
  }
  for (sheet::Box box : sheet::kResultBoxes) boxes_.setText(box, std::string(sheet::kNoResult));
  ProfileChoices choices = c->choices;
  // A profile named relative to the case is found beside it.
  QString& measured = choices.measured.path;
  if (!measured.isEmpty() && QFileInfo(measured).isRelative()) {
    measured = QFileInfo(path).absoluteDir().absoluteFilePath(measured);
  }
  ProfileWindow& profile = profile_();
  profile.setChoices(choices);
  if (profile.isVisible()) profile.refresh();
  remember(path);
  // The case is open; a profile it names that cannot be read is said, and
  // its path is kept for the next save.
  if (!measured.isEmpty() && !profile.measuredView().model().hasBed()) {
    report(tr("ケースの実測断面を読めませんでした．") + QLatin1Char('\n') +
           profile.measuredView().errorText());
  }
  return true;
}

QStringList Workbench::recentCases() const {
  return QSettings().value(kRecentKey).toStringList();
}

void Workbench::remember(const QString& path) {
  QStringList recent = recentCases();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  recent.removeAll(absolute);
  recent.prepend(absolute);
  while (recent.size() > kRecentCount) recent.removeLast();
  QSettings settings;
  settings.setValue(kRecentKey, recent);
  settings.setValue(kFolderKey, QFileInfo(absolute).absolutePath());
}

QString Workbench::boxTitle(sheet::Box box) {
  using sheet::Box;
  switch (box) {
    case Box::Height: return QStringLiteral("Ho (m)");
    case Box::Period: return QStringLiteral("T (s)");
    case Box::Angle: return QStringLiteral("αo (°)");
    case Box::Slope: return tr("海底勾配 1/n の n");
    case Box::Depth: return tr("水深 h (m)");
    case Box::BreakerHeight: return QStringLiteral("Hb (m)");
    case Box::BreakingDepth: return QStringLiteral("hb (m)");
    case Box::BreakerIndex: return QStringLiteral("γ");
    case Box::BreakingAngle: return QStringLiteral("θb (°)");
    case Box::Wavelength: return quantityTitle(Quantity::WaveLength);
    case Box::Direction: return quantityTitle(Quantity::Direction);
    case Box::Celerity: return quantityTitle(Quantity::Celerity);
    case Box::WaveHeight: return ProfileChart::tr("波高 H (m)");
    case Box::BottomAmplitude: return quantityTitle(Quantity::AmplitudeBottom);
    case Box::BottomSpeed: return quantityTitle(Quantity::SpeedBottom);
    case Box::SurfaceAmplitude: return quantityTitle(Quantity::AmplitudeSurface);
    case Box::SurfaceSpeed: return quantityTitle(Quantity::SpeedSurface);
  }
  return {};
}

QString Workbench::resultsText() {
  using sheet::Box;
  // The calculation window: its inputs, then its results in the order a
  // calculation writes them, as the boxes show them.
  QStringList header;
  for (Box box : sheet::kInputBoxes) header.append(boxTitle(box));
  const auto title = [](Box box) { return boxTitle(box); };
  QStringList values;
  for (Box box : sheet::kInputBoxes) values.append(boxText(boxes_, box));
  for (Box box : sheet::kResultBoxes) {
    header.append(title(box));
    values.append(boxText(boxes_, box));
  }
  // A tab or line end typed into a box would shift the columns.
  for (QString& v : values) v.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  QStringList lines = {header.join(QLatin1Char('\t')), values.join(QLatin1Char('\t')), QString()};

  // The comparison table as the profile window last drew it, every digit.
  const ComparisonModel& table = profile_().comparison();
  QStringList names;
  for (int column = 0; column < table.columnCount(); ++column) {
    names.append(table.headerData(column, Qt::Horizontal).toString());
  }
  lines.append(names.join(QLatin1Char('\t')));
  for (int row = 0; row < table.rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column) {
      cells.append(table.data(table.index(row, column), Qt::EditRole)
                       .toString()
                       .replace(QLatin1Char('\t'), QLatin1Char(' '))
                       .replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    lines.append(cells.join(QLatin1Char('\t')));
  }
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void Workbench::copyResults() { QGuiApplication::clipboard()->setText(resultsText()); }

QString Workbench::askOpenPath(QWidget* parent) {
  QFileDialog dialog(parent, tr("ケースを開く"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({tr("ケース (*.json)")});
  const QString folder = QSettings().value(kFolderKey).toString();
  if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
  gui::fitFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString Workbench::askSavePath(QWidget* parent) {
  QFileDialog dialog(parent, tr("ケースを保存"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({tr("ケース (*.json)")});
  dialog.setDefaultSuffix(QStringLiteral("json"));
  const QString folder = QSettings().value(kFolderKey).toString();
  if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
  dialog.selectFile(profile_().defaultFileName(QStringLiteral("case"), QStringLiteral("json")));
  gui::fitFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void Workbench::fillRecent(QMenu* menu, QWidget* window) {
  menu->clear();
  const QStringList recent = recentCases();
  for (qsizetype i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* action = menu->addAction(
        QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName().replace(
            QLatin1Char('&'), QStringLiteral("&&"))));
    action->setToolTip(path);
    connect(action, &QAction::triggered, this, [this, window, path] {
      window_ = window;
      openCase(path);
    });
  }
  if (recent.isEmpty()) menu->addAction(tr("（なし）"))->setEnabled(false);
  menu->addSeparator();
  QAction* clear = menu->addAction(tr("一覧を消去"), this, [] { QSettings().remove(kRecentKey); });
  clear->setEnabled(!recent.isEmpty());
}

void Workbench::addCaseActions(QMenu* menu, QAction* before) {
  QWidget* window = menu->parentWidget() ? menu->parentWidget()->window() : nullptr;
  auto* open = new QAction(menu);
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this, window] {
    window_ = window;
    const QString path = askOpenPath(window);
    if (!path.isEmpty()) openCase(path);
  });
  auto* save = new QAction(menu);
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this, window] {
    window_ = window;
    const QString path = askSavePath(window);
    if (!path.isEmpty()) saveCase(path);
  });
  auto* recent = new QMenu(menu);
  recent->setObjectName(QStringLiteral("recentCases"));
  connect(recent, &QMenu::aboutToShow, this,
          [this, recent, window] { fillRecent(recent, window); });
  open->setObjectName(QStringLiteral("openCase"));
  save->setObjectName(QStringLiteral("saveCase"));
  for (QAction* action : {open, save}) {
    action->setShortcutContext(Qt::WindowShortcut);
    menu->insertAction(before, action);
  }
  menu->insertMenu(before, recent);
  menu->insertSeparator(before);
  actions_.append({open, Open});
  actions_.append({save, Save});
  actions_.append({recent->menuAction(), Recent});
  retranslate();
}

QAction* Workbench::addCopyAction(QMenu* menu, QAction* before) {
  auto* copy = new QAction(menu);
  copy->setObjectName(QStringLiteral("copyResults"));
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, &Workbench::copyResults);
  menu->insertAction(before, copy);
  actions_.append({copy, Copy});
  retranslate();
  return copy;
}

void Workbench::retranslate() {
  actions_.removeIf([](const Entry& e) { return e.action.isNull(); });
  for (const Entry& e : actions_) {
    switch (e.role) {
      case Open: e.action->setText(tr("ケースを開く(&O)...")); break;
      case Save: e.action->setText(tr("ケースを保存(&V)...")); break;
      case Recent: e.action->setText(tr("最近のケース(&R)")); break;
      case Copy: e.action->setText(tr("結果をコピー(&C)")); break;
      default: break;
    }
  }
}

}  // namespace saiha::profile
