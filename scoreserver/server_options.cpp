#include "scoreserver/server_options.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace tavrin {

bool parseListenAddress(const QString& text, QHostAddress& address, quint16& port)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon < 0) {
        return false;
    }
    QString host = text.left(colon);
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (!ok || number > 65535) {
        return false;
    }
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'))) {
        host = host.mid(1, host.size() - 2);
    }
    QHostAddress parsed(QHostAddress::Any);
    if (!host.isEmpty()) {
        if (host == QLatin1String("localhost")) {
            parsed = QHostAddress(QHostAddress::LocalHost);
        } else if (!parsed.setAddress(host)) {
            return false;
        }
    }
    address = parsed;
    port = static_cast<quint16>(number);
    return true;
}

std::optional<DatabaseTarget> parseDatabaseUrl(const QString& text, QString& error)
{
    DatabaseTarget target;
    if (text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(text, QUrl::StrictMode);
        const QString name = url.path().mid(1);
        if (!url.isValid() || url.host().isEmpty() || url.userName().isEmpty() || name.isEmpty() ||
            name.contains(QLatin1Char('/')) || url.hasQuery() || url.hasFragment()) {
            error = QStringLiteral("expected postgresql://USER@HOST[:PORT]/DB, got %1").arg(text);
            return std::nullopt;
        }
        target.kind = DatabaseTarget::Kind::Postgres;
        target.user = url.userName();
        target.password = url.password();
        target.host = url.host();
        target.port = url.port(5432);
        target.name = name;
        return target;
    }
    QString path = text;
    if (path.startsWith(QLatin1String("sqlite://"))) {
        path = path.mid(9);
    } else if (path.startsWith(QLatin1String("sqlite:"))) {
        path = path.mid(7);
    } else if (path.contains(QLatin1String("://"))) {
        error = QStringLiteral("unknown database kind: %1").arg(text);
        return std::nullopt;
    }
    if (path.isEmpty()) {
        error = QStringLiteral("no database file given");
        return std::nullopt;
    }
    target.path = path;
    return target;
}

QString defaultDatabasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/scores.sqlite");
}

namespace {

struct Switches {
    QCommandLineOption listen;
    QCommandLineOption database;
    QCommandLineOption limit;
    QCommandLineOption proxy;
    QCommandLineOption site;
    QCommandLineOption verifiedOnly;
};

Switches switches()
{
    return {
        QCommandLineOption(QStringLiteral("listen"),
                           QStringLiteral("Address and port to serve (default 127.0.0.1:%1).").arg(kDefaultScoreServerPort),
                           QStringLiteral("ADDR:PORT")),
        QCommandLineOption(QStringLiteral("database"),
                           QStringLiteral("postgresql://USER@HOST[:PORT]/DB or an SQLite file "
                                          "(default: scores.sqlite in the user's data folder)."),
                           QStringLiteral("URL")),
        QCommandLineOption(QStringLiteral("registrations-per-minute"),
                           QStringLiteral("Registrations one address may post per minute, also as a "
                                          "burst (default %1; 0: no limit).")
                               .arg(kDefaultRegistrationsPerMinute),
                           QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("trusted-proxy"),
                           QStringLiteral("Address of a reverse proxy whose X-Forwarded-For names the player."),
                           QStringLiteral("ADDR")),
        QCommandLineOption(QStringLiteral("site"),
                           QStringLiteral("Folder of the game's browser version, served under /play/ "
                                          "(default: the one found beside the program or installed)."),
                           QStringLiteral("DIR")),
        QCommandLineOption(QStringLiteral("verified-only"),
                           QStringLiteral("Show only entries whose game record replayed to their score; the "
                                          "registration pages' entries are kept unshown.")),
    };
}

std::optional<ServerOptions> valuesOf(const QCommandLineParser& parser, const Switches& s, QString& error)
{
    ServerOptions options;
    if (parser.isSet(s.listen) && !parseListenAddress(parser.value(s.listen), options.address, options.port)) {
        error = QStringLiteral("--listen expects ADDR:PORT, got %1").arg(parser.value(s.listen));
        return std::nullopt;
    }
    const auto target =
        parseDatabaseUrl(parser.isSet(s.database) ? parser.value(s.database) : defaultDatabasePath(), error);
    if (!target) {
        return std::nullopt;
    }
    options.database = *target;
    if (parser.isSet(s.limit)) {
        bool ok = false;
        options.registrationsPerMinute = parser.value(s.limit).toInt(&ok);
        if (!ok || options.registrationsPerMinute < 0) {
            error = QStringLiteral("--registrations-per-minute expects a number, got %1").arg(parser.value(s.limit));
            return std::nullopt;
        }
    }
    if (parser.isSet(s.proxy)) {
        QHostAddress address;
        if (!address.setAddress(parser.value(s.proxy))) {
            error = QStringLiteral("--trusted-proxy expects an address, got %1").arg(parser.value(s.proxy));
            return std::nullopt;
        }
        options.trustedProxy = address;
    }
    options.verifiedOnly = parser.isSet(s.verifiedOnly);
    if (parser.isSet(s.site)) {
        options.siteFolder = parser.value(s.site);
        if (!QFileInfo(QDir(options.siteFolder).filePath(QStringLiteral("index.html"))).isFile()) {
            error = QStringLiteral("--site expects a folder with an index.html, got %1").arg(options.siteFolder);
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

std::optional<ServerOptions> parseServerOptions(const QStringList& arguments, QString& error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tavrin score server: takes the registration pages' posts "
                                                    "and shows the rankings."));
    parser.addHelpOption();
    parser.addVersionOption();
    const Switches s = switches();
    parser.addOptions({s.listen, s.database, s.limit, s.proxy, s.site, s.verifiedOnly});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    return valuesOf(parser, s, error);
}

} // namespace tavrin
