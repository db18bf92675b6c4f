// The report of a calculation: the calculation window's inputs and twelve
// results as its boxes show them, the breaking point of every model the
// profile window compares, the quantities at the shoreline, the charts,
// the warnings, the page 構造物's inputs, results, diagram and overtopping
// chart, and the references, in the windows' language.  Printed, or
// written as PDF.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <memory>

class QAction;
class QImage;
class QMenu;
class QPagedPaintDevice;
class QTextDocument;

namespace saiha::sheet {
class SheetAccess;
}

namespace saiha::profile {

class ProfileWindow;

class Report {
  Q_DECLARE_TR_FUNCTIONS(saiha::profile::Report)

 public:
  // Over the boxes of `source` and what `window` shows; both must outlive
  // the report.
  Report(const sheet::SheetAccess& source, const ProfileWindow& window);

  // The report as a document, its charts as images in it.
  std::unique_ptr<QTextDocument> document() const;
  // Lays the document out on `device`'s pages and paints them.
  void print(QPagedPaintDevice& device) const;
  // Writes the report as PDF (A4) to `path` whole, or leaves any file
  // there as it was and returns false.
  bool writePdf(const QString& path) const;

 private:
  QString html() const;

  const sheet::SheetAccess& source_;
  const ProfileWindow& window_;
};

// Adds 印刷(&I)... (Ctrl+P) and レポートを PDF で保存(&R)... to `menu` before
// `before` (at the end when null), for the report of `window` over
// `source`.
void addReportActions(QMenu* menu, QAction* before, ProfileWindow& window,
                      const sheet::SheetAccess& source);

}  // namespace saiha::profile
