// Start-up of the game up to the first painted board frame.
// Cold: the real program started in a fresh process each time (it quits after
// its first frame), timed from outside, from the start of the process to its
// end. Warm: the window built, started and shown again inside this process,
// whose application object already exists (made by the benchmark's main).
#include "app/game_shell.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_ColdStartUpToFirstFrame(benchmark::State& state)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/tavrin");
    QTemporaryDir home; // the program's settings stay out of the user's own
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(program, {QStringLiteral("--quit-after-first-frame")});
        const bool finished = process.waitForFinished(10000);
        const qint64 elapsed = clock.nsecsElapsed();
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            process.kill();
            process.waitForFinished();
            state.SkipWithError("the program did not start and quit by itself");
            return;
        }
        state.SetIterationTime(static_cast<double>(elapsed) / 1e9);
    }
}
BENCHMARK(BM_ColdStartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(9)->ReportAggregatesOnly(true);

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

void BM_WarmStartUpToFirstFrame(benchmark::State& state)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString folder = QCoreApplication::applicationDirPath();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        {
            tavrin::app::GameShell shell({folder, {}});
            FirstPaint watcher;
            shell.form().board()->installEventFilter(&watcher);
            shell.start();
            shell.show();
            while (!watcher.painted && clock.elapsed() < 5000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
            state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
            shell.form().board()->removeEventFilter(&watcher);
            shell.form().hide();
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WarmStartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
