// tavrin-scores: the score server the registration pages post to.
#include "scoreserver/score_server.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// As many connections as the descriptor limit allows, up to the server's own.
int connectionBudget()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return 256;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    return static_cast<int>(std::min<rlim_t>(tavrin::ServerLimits{}.maxConnections, limit.rlim_cur > 64 ? limit.rlim_cur - 64 : 1));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrin for Windows"));
    QCoreApplication::setApplicationName(QStringLiteral("tavrin-scores"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));

    QString error;
    auto options = tavrin::parseServerOptions(QCoreApplication::arguments(), error);
    if (!options) {
        std::fprintf(stderr, "tavrin-scores: %s\n", qPrintable(error));
        return 2;
    }
    if (options->siteFolder.isEmpty()) {
        options->siteFolder = tavrin::findSiteFolder(QCoreApplication::applicationDirPath(),
                                                     QStringLiteral(TAVRIN_DATA_INSTALLED));
    }
    tavrin::ServerLimits limits;
    limits.maxConnections = connectionBudget();
    tavrin::ScoreServer server(*options, limits);
    if (!server.start(error)) {
        std::fprintf(stderr, "tavrin-scores: %s\n", qPrintable(error));
        return 1;
    }

    // SIGTERM / SIGINT end the event loop, so pending answers are sent and
    // the database is closed cleanly.
    if (::pipe(signalPipe) == 0) {
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }
    std::signal(SIGPIPE, SIG_IGN);
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    const QString where = options->database.kind == tavrin::DatabaseTarget::Kind::Sqlite
                              ? options->database.path
                              : QStringLiteral("postgresql://%1@%2:%3/%4")
                                    .arg(options->database.user, options->database.host)
                                    .arg(options->database.port)
                                    .arg(options->database.name);
    std::printf("tavrin-scores: listening on %s:%u, database %s\n", qPrintable(options->address.toString()),
                static_cast<unsigned>(server.port()), qPrintable(where));
    if (!options->siteFolder.isEmpty()) {
        std::printf("tavrin-scores: the game is at http://%s:%u/play/ (from %s)\n",
                    qPrintable(options->address.toString()), static_cast<unsigned>(server.port()),
                    qPrintable(options->siteFolder));
    }
    std::fflush(stdout);
    return QCoreApplication::exec();
}
