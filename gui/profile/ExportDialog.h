// The dialog of ファイル → 図を書き出す: the picture's format, its size in
// pixels (or a preset: 1600×1000, the width of an A4 or Letter page) and its
// density, for ChartExport.
#pragma once

#include <QDialog>

#include "gui/profile/ChartExport.h"

class QComboBox;
class QSpinBox;

namespace saiha::profile {

class ExportDialog final : public QDialog {
  Q_OBJECT

 public:
  enum class Format { Png, Svg, Pdf };
  enum class Preset { Screen1600, A4Width, LetterWidth, Custom };

  explicit ExportDialog(QWidget* parent = nullptr);

  Format format() const;
  ExportSize size() const;
  // The file name's suffix and the file dialog's MIME type of a format.
  static QString suffix(Format format);
  static QString mimeType(Format format);
  // A preset's size at `dpi`: a page's width across (A4 210 mm, Letter
  // 8.5 in) and 0.7 of it down; 1600×1000 whatever the density.
  static ExportSize presetSize(Preset preset, int dpi);

  // The choices, as the dialog's boxes are set (for the next opening).
  void setChoice(Format format, Preset preset, const ExportSize& size);
  Preset preset() const;

 private:
  void applyPreset();

  QComboBox* format_ = nullptr;
  QComboBox* preset_ = nullptr;
  QComboBox* dpi_ = nullptr;
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
};

}  // namespace saiha::profile
