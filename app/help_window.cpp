#include "app/help_window.h"

#include "app/command_line.h"
#include "app/language.h"
#include "graphics/screen_text.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tavrin::app {

QString helpPage(const QString& folder, int topic)
{
    QString help = folder + pathSeparator(folder) + QStringLiteral("help/");
    // English pages lie in their own folder; the Japanese ones stand in when they are missing.
    if (currentLanguage() == Language::English && QFileInfo(help + QStringLiteral("en/index.html")).isFile()) {
        help += QStringLiteral("en/");
    }
    if (topic == kHelpLoadingPictures && QFileInfo(help + QStringLiteral("pictures.html")).isFile()) {
        return help + QStringLiteral("pictures.html");
    }
    const QString page = help + QStringLiteral("index.html");
    if (!QFileInfo(page).isFile()) {
        return {};
    }
    return topic == kHelpLoadingPictures ? page + QStringLiteral("#pictures") : page;
}

HelpWindow::HelpWindow(const QString& folder, int topic, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(graphics::screenText(TAVRIN_TEXT("app", "Tavrin for Windows ヘルプ")));
    resize(640, 520);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);
    layout->addWidget(browser_);
    const QString page = helpPage(folder, topic);
    if (page.isEmpty()) {
        browser_->setPlainText(graphics::screenText(TAVRIN_TEXT("app", "ヘルプファイルが見つかりません。")));
        return;
    }
    const QUrl url = QUrl::fromLocalFile(page.section(u'#', 0, 0));
    browser_->setSearchPaths({QFileInfo(url.toLocalFile()).absolutePath()});
    browser_->setSource(url);
    fitWidthToPage();
    // A page reached by a link may hold a wider picture.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { fitWidthToPage(); });
    if (page.contains(u'#')) {
        browser_->scrollToAnchor(page.section(u'#', 1));
    }
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitWidthToPage(); // the page's pictures are laid out by now
}

// At least as wide as the page's widest picture (the eleven pieces), so that
// nothing needs scrolling sideways at first sight; never wider than the screen.
void HelpWindow::fitWidthToPage()
{
    // Laid out at the browser's width, the document is as wide as the widest
    // thing that cannot wrap.
    const int contents = static_cast<int>(std::ceil(browser_->document()->size().width()));
    const QMargins margins = layout()->contentsMargins();
    const int chrome = margins.left() + margins.right() + 2 * browser_->frameWidth()
                       + browser_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, browser_) + 4;
    int wanted = std::max(width(), contents + chrome);
    const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shownOn != nullptr) {
        wanted = std::min(wanted, shownOn->availableGeometry().width());
    }
    resize(wanted, height());
}

QString versionText(const QString& version)
{
    return graphics::screenText(TAVRIN_TEXT("app", "Tavrin for Windows\nバージョン %1").arg(version.toStdString()));
}

} // namespace tavrin::app
