// Start-up of the game window: building the window, start-up (settings,
// pictures, theme, media devices, high scores) and showing it, up to the
// first painted board frame.
#include "app/game_shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "tavrin_bench";
    static char* argv[] = {name, nullptr};
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

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

// One window start in this process; the first run also creates the
// application object, as a real program start does (run it first, alone:
// --benchmark_filter=Cold).
void BM_ColdStartUpToFirstFrame(benchmark::State& state)
{
    QElapsedTimer clock;
    clock.start();
    application();
    const qint64 appNs = clock.nsecsElapsed();
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    for (auto _ : state) {
        QElapsedTimer run;
        run.start();
        tavrin::app::GameShell shell({QCoreApplication::applicationDirPath(), {}});
        FirstPaint watcher;
        shell.form().board()->installEventFilter(&watcher);
        shell.start();
        shell.show();
        while (!watcher.painted && run.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        state.SetIterationTime(static_cast<double>(run.nsecsElapsed() + appNs) / 1e9);
        shell.form().board()->removeEventFilter(&watcher);
    }
}
BENCHMARK(BM_ColdStartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_StartUpToFirstFrame(benchmark::State& state)
{
    application();
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
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
