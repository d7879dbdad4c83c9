// The help window: the program's HTML help shown in a text browser, and the
// version box.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace tavrin::app {

// Help topics the program opens by number.
inline constexpr int kHelpContents = 0;
inline constexpr int kHelpLoadingPictures = 47;

// The help page for `topic` in `folder`: "help/index.html" for the contents,
// "help/pictures.html" (or the contents' "#pictures" anchor) for the
// picture-loading topic; in English the same pages under "help/en/". "" when
// the help is missing.
QString helpPage(const QString& folder, int topic);

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(const QString& folder, int topic, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitWidthToPage();

    QTextBrowser* browser_ = nullptr;
};

// The text of the version box, naming `version` as it stands ("0.1.0").
QString versionText(const QString& version);

} // namespace tavrin::app
