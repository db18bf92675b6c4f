#include "gui/help/HelpWindow.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/language.h"

namespace saiha::help {

namespace {

const QStringList kPages = {QStringLiteral("index"), QStringLiteral("calculation"),
                            QStringLiteral("profile"), QStringLiteral("models")};

QString languageFolder(report::Language language) {
  return QString::fromLatin1(report::languageCode(language));
}

// Keeps a menu's or an action's text in the language shown: the menu
// receives QEvent::LanguageChange as every widget does.
class Retitle final : public QObject {
 public:
  Retitle(QWidget* watched, std::function<void()> apply)
      : QObject(watched), apply_(std::move(apply)) {
    watched->installEventFilter(this);
    apply_();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::LanguageChange) apply_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> apply_;
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  resize(760, 640);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  back_ = new QToolButton;
  forward_ = new QToolButton;
  home_ = new QToolButton;
  back_->setObjectName(QStringLiteral("helpBack"));
  forward_->setObjectName(QStringLiteral("helpForward"));
  home_->setObjectName(QStringLiteral("helpHome"));
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(home_);
  bar->addStretch();
  browser_ = new QTextBrowser;
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  // Links between the pages stay in the browser; none leads outside.
  browser_->setOpenExternalLinks(false);
  browser_->setOpenLinks(true);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this, [this] { showPage(QStringLiteral("index")); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  retranslate();
}

QStringList HelpWindow::pages() { return kPages; }

QUrl HelpWindow::pageUrl(report::Language language, const QString& page) {
  const qsizetype hash = page.indexOf(QLatin1Char('#'));
  QString name = hash < 0 ? page : page.left(hash);
  if (!kPages.contains(name)) name = QStringLiteral("index");
  QUrl url(QStringLiteral("qrc:/help/%1/%2.html").arg(languageFolder(language), name));
  if (hash >= 0 && name == page.left(hash)) url.setFragment(page.mid(hash + 1));
  return url;
}

void HelpWindow::showPage(const QString& page) {
  browser_->setSource(pageUrl(gui::language(), page));
  show();
  raise();
  activateWindow();
}

QString HelpWindow::page() const {
  const QString file = browser_->source().path().section(QLatin1Char('/'), -1);
  return file.section(QLatin1Char('.'), 0, 0);
}

void HelpWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    retranslate();
    if (!browser_->source().isEmpty()) {
      const QUrl shown = browser_->source();
      QUrl again = pageUrl(gui::language(), page());
      again.setFragment(shown.fragment());
      browser_->setSource(again);
    }
  }
  QWidget::changeEvent(event);
}

void HelpWindow::retranslate() {
  setWindowTitle(tr("ヘルプ — 砕波の計算"));
  back_->setText(tr("戻る"));
  forward_->setText(tr("進む"));
  home_->setText(tr("目次"));
}

QAction* addHelpAction(QMenu* menu, const QString& page, std::function<HelpWindow&()> help,
                       QAction* before) {
  auto* action = new QAction(menu);
  action->setObjectName(QStringLiteral("help"));
  action->setShortcut(QKeySequence::HelpContents);
  // F1 from any box of the window, whichever has the focus.
  action->setShortcutContext(Qt::WindowShortcut);
  menu->insertAction(before, action);
  QObject::connect(action, &QAction::triggered, menu,
                   [page, help = std::move(help)] { help().showPage(page); });
  new Retitle(menu, [action] { action->setText(HelpWindow::tr("ヘルプ(&H)...")); });
  return action;
}

QMenu* addHelpMenu(QMenuBar* bar) {
  QMenu* menu = bar->addMenu(QString());
  menu->setObjectName(QStringLiteral("helpMenu"));
  new Retitle(menu, [menu] { menu->setTitle(HelpWindow::tr("ヘルプ(&H)")); });
  return menu;
}

}  // namespace saiha::help
