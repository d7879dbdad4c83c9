#include "app/startup_options.h"

#include "app/data_dir.h"
#include "graphics/screen_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>

#include <cstring>

namespace tavrin::app {

namespace {

// Watches one widget and ends the event loop after its first paint event.
class FirstPaintQuit : public QObject {
public:
    explicit FirstPaintQuit(QWidget& widget) : QObject(&widget) { widget.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // Queued, so the paint itself finishes first.
            QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                                      Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

StartupRequest startupRequest(int argc, const char* const* argv)
{
    if (argc < 2 || argv == nullptr || argv[1] == nullptr) {
        return StartupRequest::Play;
    }
    const char* first = argv[1];
    if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
        return StartupRequest::Help;
    }
    if (std::strcmp(first, "--version") == 0) {
        return StartupRequest::Version;
    }
    if (std::strcmp(first, "--check-data") == 0) {
        return StartupRequest::CheckData;
    }
    if (std::strcmp(first, "--quit-after-first-frame") == 0) {
        return StartupRequest::FirstFrame;
    }
    return StartupRequest::Play;
}

QString usageText()
{
    return graphics::screenText(TAVRIN_TEXT("app", "使い方: tavrin [--lang ja|en] [問題ファイル.kem]\n"
                                                   "\n"
                                                   "問題ファイルを指定すると、その問題に順に挑戦するモードで起動します。\n"
                                                   "指定しないときはフリーゲームを始めます。\n"
                                                   "すでに起動しているときは、指定した問題ファイルを起動中のTavrinで開きます。\n"
                                                   "\n"
                                                   "オプション:\n"
                                                   "  -h, --help        この説明を表示して終了します。\n"
                                                   "      --version     バージョンを表示して終了します。\n"
                                                   "      --lang ja|en  今回だけ日本語（ja）か英語（en）で表示します。\n"));
}

QString versionNumber()
{
    return QStringLiteral(TAVRIN_VERSION);
}

QString versionLine()
{
    return QStringLiteral("Tavrin for Windows ") + versionNumber();
}

int answerStartupRequest(StartupRequest request, std::FILE* out, std::FILE* err)
{
    switch (request) {
    case StartupRequest::Play:
    case StartupRequest::FirstFrame:
        return 0;
    case StartupRequest::Help:
        print(out, usageText());
        return 0;
    case StartupRequest::Version:
        print(out, versionLine() + u'\n');
        return 0;
    case StartupRequest::CheckData: {
        const QString folder = findDataFolder(QCoreApplication::applicationDirPath());
        print(out, QDir::toNativeSeparators(folder) + u'\n');
        const QStringList missing = missingDataFiles(folder);
        for (const QString& name : missing) {
            print(err, QStringLiteral("missing: ") + name + u'\n');
        }
        return missing.isEmpty() ? 0 : 1;
    }
    }
    return 0;
}

void quitAfterFirstPaint(QWidget& widget)
{
    new FirstPaintQuit(widget); // owned by the widget
}

} // namespace tavrin::app
