#include "app/command_line.h"

#include "game/command_line.h"

#include <QCoreApplication>

namespace tavrin::app {

namespace {

QStringList qStrings(const std::vector<std::string>& strings)
{
    QStringList list;
    for (const std::string& s : strings) {
        list.append(QString::fromStdString(s));
    }
    return list;
}

} // namespace

QStringList splitCommandLine(const QString& line, int limit)
{
    return qStrings(game::splitCommandLine(line.toStdString(), limit));
}

QString commandLinePath(const QString& line)
{
    return QString::fromStdString(game::commandLinePath(line.toStdString()));
}

QString commandLinePath(const QStringList& arguments)
{
    std::vector<std::string> args;
    for (const QString& a : arguments) {
        args.push_back(a.toStdString());
    }
    return QString::fromStdString(game::commandLinePath(args));
}

bool hasPuzzleExtension(const QString& path)
{
    return path.right(4).toUpper() == QStringLiteral(".KEM");
}

QString pathSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? QString() : QStringLiteral("/");
}

QString programFile(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath();
    return folder + pathSeparator(folder) + name;
}

} // namespace tavrin::app
