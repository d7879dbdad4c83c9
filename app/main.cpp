#include "app/command_line.h"
#include "app/data_dir.h"
#include "app/display_check.h"
#include "app/game_shell.h"
#include "app/instance_handover.h"
#include "app/language.h"
#include "app/qt_settings_store.h"
#include "app/single_instance.h"
#include "app/startup_options.h"
#include "app/termination_signals.h"
#include "game/kept_game.h"
#include "graphics/screen_text.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSessionManager>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char* argv[])
{
    using namespace tavrin::app;
    // "--lang ja|en" chooses the language for this run; nothing else sees it.
    std::string languageError;
    const std::optional<Language> chosenLanguage = takeLanguageArgument(argc, argv, languageError);
    if (!languageError.empty()) {
        std::fprintf(stderr, "Tavrin: %s\n", languageError.c_str());
        return 2;
    }
    // The language chosen for this run, else the one the player picked last.
    auto language = [&chosenLanguage] { return chosenLanguage.value_or(storedLanguage(QtSettingsStore())); };
    // --help, --version and --check-data need no window, so no display either.
    const StartupRequest request = startupRequest(argc, argv);
    const bool firstFrameOnly = request == StartupRequest::FirstFrame;
    if (request != StartupRequest::Play && !firstFrameOnly) {
        QCoreApplication core(argc, argv);
        applyLanguage(language(), findDataFolder(QCoreApplication::applicationDirPath()));
        return answerStartupRequest(request, stdout, stderr);
    }
    if (!hasDisplay()) {
        std::fputs("Tavrin: no display to show the game window on (DISPLAY, WAYLAND_DISPLAY and "
                   "QT_QPA_PLATFORM are all unset).\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrin for Windows"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrin for Windows"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (firstFrameOnly) {
        arguments.removeFirst();
    }

    // A settings folder that cannot be written is no running copy: the lock
    // then lives in the runtime folder, or the game runs without one.
    const SingleInstance instance(SingleInstance::lockPaths());
    const QString lockPath = instance.lockPath();
    if (instance.state() == SingleInstance::State::HeldByOther) {
        // A puzzle file goes to the game already running; the message only
        // when there is none or the game does not take it.
        const QString path = commandLinePath(arguments);
        if (!path.isEmpty() && handOverFile(handoverServerName(lockPath), QFileInfo(path).absoluteFilePath())) {
            return 0;
        }
        applyLanguage(language(), findDataFolder(QCoreApplication::applicationDirPath()));
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavrin for Windows"),
                        tavrin::graphics::screenText(TAVRIN_TEXT("app", "すでにTavrin for Windowsが起動されています。")),
                        QMessageBox::Ok);
        box.exec();
        return 0;
    }

    const ProgramFolders folders = programFolders(QCoreApplication::applicationDirPath());
    const QString savedGame = QString::fromStdString(
        tavrin::game::savedGamePath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()).string());
    GameShell shell({folders.data, arguments, folders.pages, folders.files, savedGame, chosenLanguage});
    // However the program ends, the free game is kept for the next start.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &app, [&shell] {
        shell.shutDown();
        QCoreApplication::quit();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&shell] { shell.shutDown(); });
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &app, [&shell](QSessionManager&) { shell.saveGameNow(); },
        Qt::DirectConnection);
#endif
    HandoverServer handover(handoverServerName(lockPath));
    QObject::connect(&handover, &HandoverServer::fileReceived, &handover,
                     [&shell](const QString& path) { shell.openHandedOverFile(path); });
    handover.listen();
    shell.start();
    if (firstFrameOnly) {
        quitAfterFirstPaint(*shell.form().board());
    }
    shell.show();
    return QApplication::exec();
}
