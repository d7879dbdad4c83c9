#include "app/command_line.h"

#include <QCoreApplication>

namespace tavrin::app {

QStringList splitCommandLine(const QString& line, int limit)
{
    QStringList args;
    if (limit <= 0) {
        return args;
    }
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && (line[i] == u' ' || line[i] == u'\t')) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        if (args.size() >= limit) {
            break; // a further argument would begin here: drop the rest
        }
        const qsizetype start = i;
        while (i < n && line[i] != u' ' && line[i] != u'\t') {
            ++i;
        }
        args.append(line.mid(start, i - start));
    }
    return args;
}

QString commandLinePath(const QString& line)
{
    const QStringList args = splitCommandLine(line);
    if (args.isEmpty()) {
        return {};
    }
    const QString& first = args.front();
    if (first.size() >= 2 && first.startsWith(u'"') && first.endsWith(u'"')) {
        return first.mid(1, first.size() - 2);
    }
    return args.join(u' ');
}

QString commandLinePath(const QStringList& arguments)
{
    if (arguments.size() == 1) {
        return arguments.front();
    }
    return commandLinePath(arguments.join(u' '));
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
