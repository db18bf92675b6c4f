#include "gui/profile/ExportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace saiha::profile {

namespace {
constexpr int kDensities[] = {96, 150, 300};
}

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("exportDialog"));
  setWindowTitle(tr("図を書き出す"));
  auto* form = new QFormLayout;
  format_ = new QComboBox;
  format_->setObjectName(QStringLiteral("exportFormat"));
  format_->addItem(tr("PNG 画像"), int(Format::Png));
  format_->addItem(tr("SVG 画像（ベクター）"), int(Format::Svg));
  format_->addItem(tr("PDF"), int(Format::Pdf));
  preset_ = new QComboBox;
  preset_->setObjectName(QStringLiteral("exportPreset"));
  preset_->addItem(QStringLiteral("1600 × 1000 px"), int(Preset::Screen1600));
  preset_->addItem(tr("A4 の幅（210 mm）"), int(Preset::A4Width));
  preset_->addItem(tr("レターの幅（8.5 in）"), int(Preset::LetterWidth));
  preset_->addItem(tr("任意の大きさ"), int(Preset::Custom));
  dpi_ = new QComboBox;
  dpi_->setObjectName(QStringLiteral("exportDpi"));
  for (int dpi : kDensities) dpi_->addItem(QString::number(dpi), dpi);
  const auto pixels = [](const QString& name) {
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(100, 20000);
    box->setSuffix(QStringLiteral(" px"));
    return box;
  };
  width_ = pixels(QStringLiteral("exportWidth"));
  height_ = pixels(QStringLiteral("exportHeight"));
  form->addRow(tr("形式(&F):"), format_);
  form->addRow(tr("大きさ(&S):"), preset_);
  form->addRow(tr("幅(&W):"), width_);
  form->addRow(tr("高さ(&H):"), height_);
  form->addRow(tr("解像度 (dpi)(&D):"), dpi_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(preset_, &QComboBox::currentIndexChanged, this, &ExportDialog::applyPreset);
  connect(dpi_, &QComboBox::currentIndexChanged, this, &ExportDialog::applyPreset);
  // A size typed by hand is no preset's.
  for (QSpinBox* box : {width_, height_}) {
    connect(box, &QSpinBox::valueChanged, this, [this] {
      const QSignalBlocker quiet(preset_);
      if (presetSize(preset(), size().dpi).pixels != size().pixels) {
        preset_->setCurrentIndex(preset_->findData(int(Preset::Custom)));
      }
    });
  }
  applyPreset();
}

ExportSize ExportDialog::presetSize(Preset preset, int dpi) {
  ExportSize size;
  size.dpi = dpi;
  const auto across = [dpi](double inches) {
    const int width = int(std::lround(inches * dpi));
    return QSize(width, int(std::lround(0.7 * width)));
  };
  switch (preset) {
    case Preset::A4Width: size.pixels = across(210 / 25.4); break;
    case Preset::LetterWidth: size.pixels = across(8.5); break;
    case Preset::Screen1600:
    case Preset::Custom: size.pixels = QSize(1600, 1000); break;
  }
  return size;
}

void ExportDialog::applyPreset() {
  if (preset() == Preset::Custom) return;
  const ExportSize size = presetSize(preset(), dpi_->currentData().toInt());
  const QSignalBlocker quietWidth(width_), quietHeight(height_);
  width_->setValue(size.pixels.width());
  height_->setValue(size.pixels.height());
}

ExportDialog::Format ExportDialog::format() const { return Format(format_->currentData().toInt()); }
ExportDialog::Preset ExportDialog::preset() const { return Preset(preset_->currentData().toInt()); }

ExportSize ExportDialog::size() const {
  ExportSize size;
  size.pixels = QSize(width_->value(), height_->value());
  size.dpi = dpi_->currentData().toInt();
  return size;
}

void ExportDialog::setChoice(Format format, Preset preset, const ExportSize& size) {
  format_->setCurrentIndex(std::max(0, format_->findData(int(format))));
  const int dpi = dpi_->findData(size.dpi);
  dpi_->setCurrentIndex(dpi >= 0 ? dpi : 0);
  preset_->setCurrentIndex(std::max(0, preset_->findData(int(preset))));
  if (preset == Preset::Custom) {
    width_->setValue(size.pixels.width());
    height_->setValue(size.pixels.height());
    preset_->setCurrentIndex(preset_->findData(int(Preset::Custom)));
  }
}

QString ExportDialog::suffix(Format format) {
  switch (format) {
    case Format::Svg: return QStringLiteral("svg");
    case Format::Pdf: return QStringLiteral("pdf");
    case Format::Png: break;
  }
  return QStringLiteral("png");
}

QString ExportDialog::mimeType(Format format) {
  switch (format) {
    case Format::Svg: return QStringLiteral("image/svg+xml");
    case Format::Pdf: return QStringLiteral("application/pdf");
    case Format::Png: break;
  }
  return QStringLiteral("image/png");
}

}  // namespace saiha::profile
