#include "gui/calc/frmKelvo.h"

#include "gui/language.h"
#include "gui/style.h"
#include "report/messages.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace saiha::window {

using sheet::Box;

namespace {

enum class Kind { Label, TextBox, Button, Frame };

// One control of the window.  Positions and sizes are in twips (1/1440 inch),
// relative to the container's client area; 15 twips make one pixel at 96 dpi.
// For a text box `tip` is its tooltip; for a label and the button `caption`
// is the text shown on it.
struct Control {
  const char* name;
  Kind kind;
  const char* container;  // nullptr: the window itself
  int left, top, width, height;
  int tabIndex;
  const char* caption;
  const char* tip;
};

constexpr int kTwipsPerPixel = 15;
constexpr int pixels(int twips) { return twips / kTwipsPerPixel; }

constexpr int kClientWidth = 2580;
constexpr int kClientHeight = 6630;

// Containers come before their contents.  The blanks inside captions are
// part of the text: "海底勾配 1/" has one, "砕波波向(°) " ends with one and
// "a(m)           u(m/s)" spaces its two column heads with eleven.
constexpr Control kControls[] = {
    // The four inputs, the button, the depth row and the two result groups.
    {"Label5", Kind::Label, nullptr, 120, 120, 1095, 255, 0, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波高Ho（ｍ）"), nullptr},
    {"Text5", Kind::TextBox, nullptr, 1200, 120, 1335, 270, 1, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "沖波の波高です．")},
    {"Label1", Kind::Label, nullptr, 120, 480, 1095, 255, 6, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "周期T（秒）"), nullptr},
    {"Text1", Kind::TextBox, nullptr, 1200, 480, 1335, 270, 2, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波の周期です．")},
    {"Label10", Kind::Label, nullptr, 120, 840, 1095, 255, 9, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波向αo（°）"), nullptr},
    {"Text11", Kind::TextBox, nullptr, 1200, 840, 1335, 270, 3, nullptr,
     QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "海岸の法線に対する沖波の入射角です．")},
    {"Label11", Kind::Label, nullptr, 120, 1200, 1095, 255, 10, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "海底勾配 1/"), nullptr},
    {"Text12", Kind::TextBox, nullptr, 1200, 1200, 1335, 270, 4, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "海底勾配の分母です．")},
    {"Frame2", Kind::Frame, nullptr, 0, 1560, 2535, 1695, 23, nullptr, nullptr},
    {"Command1", Kind::Button, nullptr, 0, 3360, 2535, 375, 5, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "計算"), QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "計算を実行します．")},
    {"Label2", Kind::Label, nullptr, 120, 3840, 855, 255, 8, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "水深（ｍ）"), nullptr},
    {"Text2", Kind::TextBox, nullptr, 960, 3840, 1575, 270, 7, nullptr,
     QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意の水深での波高，波長，波向などを計算します．数値を入れて計算ボタンを押してください．")},
    {"Frame1", Kind::Frame, nullptr, 0, 4200, 2535, 2415, 11, nullptr, nullptr},

    // The breaking point.
    {"Label3", Kind::Label, "Frame2", 600, 240, 1095, 255, 27, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "砕波波高（ｍ）"), nullptr},
    {"Text3", Kind::TextBox, "Frame2", 1680, 240, 735, 270, 25, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "砕波時の波高です．")},
    {"Label4", Kind::Label, "Frame2", 600, 600, 1095, 255, 26, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "砕波水深（ｍ）"), nullptr},
    {"Text4", Kind::TextBox, "Frame2", 1680, 600, 735, 270, 24, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "砕波時の水深です．")},
    {"Label13", Kind::Label, "Frame2", 600, 960, 1095, 255, 29, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波高水深比γ"), nullptr},
    {"Text14", Kind::TextBox, "Frame2", 1680, 960, 735, 270, 28, nullptr,
     QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "砕波時の波高と水深の比です．")},
    {"Label15", Kind::Label, "Frame2", 600, 1320, 1095, 255, 32, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "砕波波向(°) "), nullptr},
    {"Text16", Kind::TextBox, "Frame2", 1680, 1320, 735, 270, 33, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "砕波時の波向です．")},

    // The chosen depth, in two columns.
    {"Label14", Kind::Label, "Frame1", 600, 240, 855, 255, 30, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波高(m)"), nullptr},
    {"Label12", Kind::Label, "Frame1", 1560, 240, 855, 255, 22, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波長(m)"), nullptr},
    {"Text15", Kind::TextBox, "Frame1", 600, 480, 855, 270, 31, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波高です．")},
    {"Text13", Kind::TextBox, "Frame1", 1560, 480, 855, 270, 21, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波長です．")},
    {"Label16", Kind::Label, "Frame1", 600, 840, 855, 255, 34, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波向(°)"), nullptr},
    {"Label9", Kind::Label, "Frame1", 1560, 840, 855, 255, 17, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "波速(m/s)"), nullptr},
    {"Text17", Kind::TextBox, "Frame1", 600, 1080, 855, 270, 35, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波向です．")},
    {"Text10", Kind::TextBox, "Frame1", 1560, 1080, 855, 270, 12, nullptr, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波速です．")},
    {"Label8", Kind::Label, "Frame1", 600, 1440, 1695, 255, 18, "a(m)           u(m/s)", nullptr},
    {"Label6", Kind::Label, "Frame1", 120, 1680, 495, 255, 20, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "表面"), nullptr},
    {"Text8", Kind::TextBox, "Frame1", 600, 1680, 855, 270, 14, nullptr,
     QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波による水面水粒子軌道の片振幅です．")},
    {"Text9", Kind::TextBox, "Frame1", 1560, 1680, 855, 270, 13, nullptr,
     QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波による水面水粒子の最大速度です．")},
    {"Label7", Kind::Label, "Frame1", 120, 2040, 495, 255, 19, QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "底面"), nullptr},
    {"Text6", Kind::TextBox, "Frame1", 600, 2040, 855, 270, 16, nullptr,
     QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波による底面水粒子軌道の片振幅です．")},
    {"Text7", Kind::TextBox, "Frame1", 1560, 2040, 855, 270, 15, nullptr,
     QT_TRANSLATE_NOOP("saiha::window::frmKelvo", "任意水深での波による底面水粒子の最大速度です．")},
};

// The box a text box's control name stands for.
std::optional<Box> boxNamed(std::string_view name) {
  for (std::size_t i = 0; i < sheet::kBoxCount; ++i) {
    const auto box = static_cast<Box>(i);
    if (sheet::boxName(box) == name) return box;
  }
  return std::nullopt;
}

bool isResult(Box box) {
  return std::find(sheet::kResultBoxes.begin(), sheet::kResultBoxes.end(), box) !=
         sheet::kResultBoxes.end();
}

// Result boxes are shaded like a menu so they stand apart from the inputs.
void shadeAsResult(QLineEdit* box) {
  const QColor menu = QApplication::palette("QMenu").color(QPalette::Active, QPalette::Window);
  QPalette palette = box->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, menu);
  }
  box->setPalette(palette);
}

}  // namespace

frmKelvo::frmKelvo(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmKelvo"));
  setWindowTitle(caption());
  setWindowIcon(QIcon(QStringLiteral(":/saiha/icons/saiha.png")));
  // A fixed sheet: the layout is drawn for this one size, so the window can
  // be neither resized nor maximised.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(pixels(kClientWidth), pixels(kClientHeight));
  setFont(sheetFont());

  buildControls();
  reporter_ = [this](const QString& message) {
    QMessageBox::warning(this, caption(), message);
  };

  sheet::loadDefaults(*this);
  boxes_[sheet::index(sheet::kHeightBox)]->setFocus(Qt::OtherFocusReason);
}

QString frmKelvo::caption() { return tr("砕波の計算"); }

QFont frmKelvo::sheetFont() { return gui::sheetFont(); }

void frmKelvo::buildControls() {
  std::vector<std::pair<int, QWidget*>> tabStops;  // (tab index, control)

  for (const Control& control : kControls) {
    QWidget* container = this;
    if (control.container) container = findChild<QGroupBox*>(QString::fromUtf8(control.container));

    QWidget* widget = nullptr;
    switch (control.kind) {
      case Kind::Label:
        widget = new QLabel(container);
        break;
      case Kind::Frame:
        widget = new QGroupBox(container);
        break;
      case Kind::Button: {
        auto* button = new QPushButton(container);
        connect(button, &QPushButton::clicked, this, &frmKelvo::calculate);
        widget = button;
        tabStops.emplace_back(control.tabIndex, widget);
        break;
      }
      case Kind::TextBox: {
        auto* box = new QLineEdit(container);
        const auto which = boxNamed(control.name);
        boxes_[sheet::index(*which)] = box;
        if (isResult(*which)) {
          // Selectable and copyable, not editable; a click focuses it so the
          // text can be selected, but the Tab key passes it by.
          box->setReadOnly(true);
          box->setFocusPolicy(Qt::ClickFocus);
          shadeAsResult(box);
        }
        widget = box;
        tabStops.emplace_back(control.tabIndex, widget);
        break;
      }
    }
    widget->setObjectName(QString::fromUtf8(control.name));
    widget->setGeometry(pixels(control.left), pixels(control.top), pixels(control.width),
                        pixels(control.height));
  }
  retranslate();

  std::sort(tabStops.begin(), tabStops.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabStops.size(); ++i) {
    setTabOrder(tabStops[i - 1].second, tabStops[i].second);
  }
}

void frmKelvo::retranslate() {
  setWindowTitle(caption());
  for (const Control& control : kControls) {
    QWidget* widget = findChild<QWidget*>(QString::fromUtf8(control.name));
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(tr(control.caption));
    if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(tr(control.caption));
    if (control.tip) widget->setToolTip(tr(control.tip));
  }
}

void frmKelvo::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) retranslate();
  QWidget::changeEvent(event);
}

std::string frmKelvo::text(Box box) const {
  return boxes_[sheet::index(box)]->text().toStdString();
}

void frmKelvo::setText(Box box, const std::string& text) {
  boxes_[sheet::index(box)]->setText(QString::fromStdString(text));
}

void frmKelvo::setReporter(Reporter reporter) { reporter_ = std::move(reporter); }

void frmKelvo::calculate() {
  const sheet::CalcOutcome outcome = sheet::calc(*this);
  emit calculated();
  if (outcome.error) showError(*outcome.error);
}

void frmKelvo::showError(const sheet::CalcError& error) {
  reporter_(QString::fromStdString(report::errorText(error.code, gui::language())));
  // Back to the box that needs correcting, its text selected for retyping.
  if (error.box) {
    QLineEdit* box = boxes_[sheet::index(*error.box)];
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
  }
}

}  // namespace saiha::window
