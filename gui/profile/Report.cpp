#include "gui/profile/Report.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QSettings>
#include <QTextDocument>
#include <QUrl>

#include "gui/language.h"
#include "gui/profile/ComparisonModel.h"
#include "gui/profile/ProfileChart.h"
#include "gui/profile/ProfileWindow.h"
#include "gui/profile/RandomView.h"
#include "gui/profile/StructureView.h"
#include "gui/profile/Workbench.h"
#include "gui/style.h"
#include "sheet/sheet.h"

namespace saiha::profile {

namespace {

QString escaped(const QString& text) {
  return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// The images in the document, by name.
const QString kProfileChart = QStringLiteral("chart://profile");
const QString kRandomChart = QStringLiteral("chart://random");
const QString kCaissonDiagram = QStringLiteral("chart://caisson");
const QString kOvertoppingChart = QStringLiteral("chart://overtopping");
// An image as wide as an A4 page between its margins (at 96 pixels an
// inch: 15 mm of the writer and 2 cm of the document on each side).
constexpr int kImageWidth = 520;

// A chart view as it stands, at twice its pixels for print.
QImage chartImage(QWidget& view) {
  QImage image(view.size() * 2, QImage::Format_ARGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::white);
  QPainter painter(&image);
  view.render(&painter);
  return image;
}

QString row(const QString& name, const QString& value) {
  return QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
      .arg(escaped(name), escaped(value));
}

QString table(const QString& rows) {
  return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">%1</table>")
      .arg(rows);
}

// The references as the help pages list them.
QString references() {
  QFile page(QStringLiteral(":/help/%1/models.html")
                 .arg(QString::fromLatin1(report::languageCode(gui::language()))));
  if (!page.open(QIODevice::ReadOnly)) return {};
  const QString html = QString::fromUtf8(page.readAll());
  const qsizetype section = html.indexOf(QStringLiteral("id=\"references\""));
  const qsizetype begin = section < 0 ? -1 : html.indexOf(QStringLiteral("<ul>"), section);
  const qsizetype end = begin < 0 ? -1 : html.indexOf(QStringLiteral("</ul>"), begin);
  return end < 0 ? QString() : html.mid(begin, end + 5 - begin);
}

}  // namespace

Report::Report(const sheet::SheetAccess& source, const ProfileWindow& window)
    : source_(source), window_(window) {}

QString Report::html() const {
  using sheet::Box;
  const auto box = [this](Box b) { return QString::fromStdString(source_.text(b)).trimmed(); };
  QString html = QStringLiteral("<h1>%1</h1><p>%2</p>")
                     .arg(escaped(tr("砕波の計算 — レポート")),
                          escaped(QLocale(gui::language() == report::Language::English
                                              ? QLocale::English
                                              : QLocale::Japanese)
                                      .toString(QDateTime::currentDateTime(), QLocale::LongFormat)));

  // The calculation window's boxes, as they show them.
  QString inputs;
  for (Box b : sheet::kInputBoxes) {
    const QString value = box(b);
    inputs += row(Workbench::boxTitle(b),
                  value.isEmpty() && b == sheet::kDepthBox ? tr("（空欄：砕波水深）") : value);
  }
  html += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("入力"))) + table(inputs);
  QString breaking, atDepth;
  for (std::size_t i = 0; i < sheet::kResultBoxes.size(); ++i) {
    const Box b = sheet::kResultBoxes[i];
    (i < 4 ? breaking : atDepth) += row(Workbench::boxTitle(b), box(b));
  }
  html += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("計算の結果")));
  html += QStringLiteral("<h3>%1</h3>").arg(escaped(tr("砕波点"))) + table(breaking);
  html += QStringLiteral("<h3>%1</h3>").arg(escaped(tr("指定水深での波"))) + table(atDepth);

  // Every model the profile window compares, as its table shows them.
  const ComparisonModel& models = window_.comparison();
  QString rows = QStringLiteral("<tr>");
  for (int c = 0; c < models.columnCount(); ++c) {
    rows += QStringLiteral("<th>%1</th>")
                .arg(escaped(models.headerData(c, Qt::Horizontal).toString()));
  }
  rows += QStringLiteral("</tr>");
  for (int r = 0; r < models.rowCount(); ++r) {
    rows += QStringLiteral("<tr>");
    for (int c = 0; c < models.columnCount(); ++c) {
      const QString cell = models.data(models.index(r, c)).toString();
      const bool words = c == ComparisonModel::Name || c == ComparisonModel::Message;
      rows += (words ? QStringLiteral("<td>%1</td>") : QStringLiteral("<td align=\"right\">%1</td>"))
                  .arg(escaped(cell));
    }
    rows += QStringLiteral("</tr>");
  }
  html += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("モデルごとの砕波点"))) + table(rows);

  // The shoreline panel: each quantity with what its tooltip says of it.
  QString shore;
  if (const auto* panel = window_.findChild<QFrame*>(QStringLiteral("shorelinePanel"))) {
    for (const QLabel* label : panel->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      shore += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                   .arg(escaped(label->text()), escaped(label->toolTip()));
    }
  }
  html += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("汀線付近")));
  html += shore.isEmpty() ? QStringLiteral("<p>%1</p>").arg(escaped(tr("（計算できません）")))
                          : table(shore);

  html += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("図")));
  html += QStringLiteral("<p><img src=\"%1\" width=\"%2\"></p>").arg(kProfileChart).arg(kImageWidth);
  const RandomView& random = window_.randomView();
  html += QStringLiteral("<h3>%1</h3><p>%2</p>")
              .arg(escaped(ProfileWindow::tr("不規則波（合田）")),
                   escaped(QStringLiteral("H0′ = %1 m　T1/3 = %2 s")
                               .arg(random.heightText(), random.periodText())));
  html += QStringLiteral("<p><img src=\"%1\" width=\"%2\"></p>").arg(kRandomChart).arg(kImageWidth);

  // Warnings: the window's error and notes, and each model's message.
  QStringList warnings;
  if (!window_.errorMessage().isEmpty()) warnings << window_.errorMessage();
  if (const auto* note = window_.findChild<QLabel*>(QStringLiteral("note"))) {
    if (!note->text().isEmpty() && !note->isHidden()) warnings << note->text().split(QLatin1Char('\n'));
  }
  for (int r = 0; r < models.rowCount(); ++r) {
    const QString message = models.data(models.index(r, ComparisonModel::Message)).toString();
    if (!message.isEmpty()) {
      warnings << models.data(models.index(r, ComparisonModel::Name)).toString() +
                      QStringLiteral(": ") + message;
    }
  }
  html += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("注意")));
  if (warnings.isEmpty()) {
    html += QStringLiteral("<p>%1</p>").arg(escaped(tr("なし")));
  } else {
    html += QStringLiteral("<ul>");
    for (const QString& w : warnings) html += QStringLiteral("<li>%1</li>").arg(escaped(w));
    html += QStringLiteral("</ul>");
  }
  // The page 構造物, on pages of its own.
  html += window_.structureView().reportHtml(kCaissonDiagram, kOvertoppingChart);
  html += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("参考文献"))) + references();
  return html;
}

std::unique_ptr<QTextDocument> Report::document() const {
  auto document = std::make_unique<QTextDocument>();
  QFont font(gui::sheetFont().family());
  font.setPointSizeF(9);
  document->setDefaultFont(font);
  document->setDefaultStyleSheet(QStringLiteral(
      "h1 { font-size: 16pt; } h2 { font-size: 12pt; margin-top: 12px; } h3 { font-size: 10pt; }"
      " th { background-color: #e8e8e8; }"));
  document->addResource(QTextDocument::ImageResource, QUrl(kProfileChart),
                        chartImage(window_.chart()));
  if (auto* random = window_.randomView().findChild<QChartView*>()) {
    document->addResource(QTextDocument::ImageResource, QUrl(kRandomChart), chartImage(*random));
  }
  const StructureView& structure = window_.structureView();
  document->addResource(QTextDocument::ImageResource, QUrl(kCaissonDiagram), structure.diagramImage());
  document->addResource(QTextDocument::ImageResource, QUrl(kOvertoppingChart), structure.chartImage());
  document->setHtml(html());
  document->setMetaInformation(QTextDocument::DocumentTitle, tr("砕波の計算 — レポート"));
  return document;
}

void Report::print(QPagedPaintDevice& device) const { document()->print(&device); }

bool Report::writePdf(const QString& path) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(tr("砕波の計算 — レポート"));
    writer.setCreator(QStringLiteral("saiha"));
    print(writer);
  }
  return file.error() == QFileDevice::NoError && file.size() > 0 && file.commit();
}

void addReportActions(QMenu* menu, QAction* before, ProfileWindow& window,
                      const sheet::SheetAccess& source) {
  auto* print = new QAction(Report::tr("印刷(&I)..."), menu);
  print->setObjectName(QStringLiteral("printReport"));
  print->setShortcut(QKeySequence::Print);
  QObject::connect(print, &QAction::triggered, &window, [&window, &source] {
    QPrinter printer;
    QPrintDialog dialog(&printer, &window);
    dialog.setWindowTitle(Report::tr("印刷"));
    if (dialog.exec() == QDialog::Accepted) Report(source, window).print(printer);
  });
  auto* pdf = new QAction(Report::tr("レポートを PDF で保存(&R)..."), menu);
  pdf->setObjectName(QStringLiteral("exportReport"));
  QObject::connect(pdf, &QAction::triggered, &window, [&window, &source] {
    QFileDialog dialog(&window, Report::tr("レポートを PDF で保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setMimeTypeFilters({QStringLiteral("application/pdf")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    QSettings settings;
    const QString key = QStringLiteral("profile/exportFolder");
    const QString folder = settings.value(key).toString();
    if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
    dialog.selectFile(window.defaultFileName(QStringLiteral("report"), QStringLiteral("pdf")));
    gui::fitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    settings.setValue(key, QFileInfo(path).absolutePath());
    if (!Report(source, window).writePdf(path)) {
      QMessageBox::warning(&window, ProfileWindow::title(),
                           Report::tr("レポートを保存できませんでした: ") + path);
    }
  });
  menu->insertAction(before, print);
  menu->insertAction(before, pdf);
}

}  // namespace saiha::profile
