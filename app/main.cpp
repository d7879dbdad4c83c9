#include "app/command_line.h"
#include "app/display_check.h"
#include "app/game_shell.h"
#include "app/single_instance.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char* argv[])
{
    using namespace tavrin::app;
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

    SingleInstance instance(SingleInstance::defaultLockPath());
    if (!instance.acquired()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavrin for Windows"),
                        QString::fromUtf8("すでにTavrin for Windowsが起動されています。"), QMessageBox::Ok);
        box.exec();
        return 0;
    }

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    GameShell shell({QCoreApplication::applicationDirPath(), args.join(u' ')});
    shell.start();
    shell.show();
    return QApplication::exec();
}
