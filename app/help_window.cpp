#include "app/help_window.h"

#include "app/command_line.h"
#include "app/language.h"
#include "graphics/screen_text.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

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
    if (page.contains(u'#')) {
        browser_->scrollToAnchor(page.section(u'#', 1));
    }
}

QString minorVersionText(int minor)
{
    if (minor >= 1 && minor <= 9) {
        return QStringLiteral("0") + QString::number(minor);
    }
    if (minor != 0 && minor % 10 == 0) {
        return QString::number(minor / 10);
    }
    return QString::number(minor);
}

QString versionText(int major, int minor)
{
    return graphics::screenText(TAVRIN_TEXT("app", "Tavrin for Windows\nバージョン %1.%2")
                                    .arg(major)
                                    .arg(minorVersionText(minor).toStdString()));
}

} // namespace tavrin::app
