// What sound and music cost: the real program started against a sound server
// of our own (PulseAudio with a null sink, no sound card needed), left idle
// while the free-game music plays, with sound off, and without audio at all.
// Figures are CPU time (not wall time) of the game's threads and of the
// server, context switches of the game's threads (each one a wake-up),
// resident memory, and how long quitting takes; the in-process benchmark
// times the close box itself.
#include "app/game_shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <csignal>
#include <sys/resource.h>
#include <map>
#include <optional>

namespace {

// --- /proc -------------------------------------------------------------------

struct ProcessFigures {
    double cpuSeconds = 0;     // all threads, on the CPU
    long long switches = 0;    // context switches of all threads
    long long audioSwitches = 0; // of the threads that carry sound
    double rssMiB = 0;
};

QByteArray readProc(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long long statusField(const QByteArray& status, const char* key)
{
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(static_cast<int>(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return 0;
}

// Sound threads: PulseAudio client loops (Qt's and the music streams) and the
// music renderer.
bool isAudioThread(const QByteArray& name)
{
    return name.startsWith("threaded-ml") || name.startsWith("tavrin-music") || name.startsWith("tavrin-render")
        || name.startsWith("QSoundEffect") || name.contains("pulse") || name.startsWith("fluid");
}

ProcessFigures figures(qint64 pid)
{
    ProcessFigures f;
    const QString base = QStringLiteral("/proc/%1").arg(pid);
    const QStringList tasks = QDir(base + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        const QString dir = base + QStringLiteral("/task/") + task;
        f.cpuSeconds += readProc(dir + QStringLiteral("/schedstat")).split(' ').value(0).toDouble() / 1e9;
        const QByteArray status = readProc(dir + QStringLiteral("/status"));
        const long long n = statusField(status, "voluntary_ctxt_switches:")
            + statusField(status, "nonvoluntary_ctxt_switches:");
        f.switches += n;
        if (isAudioThread(readProc(dir + QStringLiteral("/comm")).trimmed())) {
            f.audioSwitches += n;
        }
    }
    f.rssMiB = static_cast<double>(statusField(readProc(base + QStringLiteral("/status")), "VmRSS:")) / 1024.0;
    return f;
}

// --- the sound server --------------------------------------------------------

class SoundServer {
public:
    SoundServer()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty() || !dir_.isValid()) {
            return;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir_.path());
        env.insert(QStringLiteral("HOME"), dir_.path());
        QProcess server;
        server.setProcessEnvironment(env);
        server.setStandardOutputFile(QProcess::nullDevice());
        server.setStandardErrorFile(QProcess::nullDevice());
        // -n: no default script; just a null sink and the local socket.
        server.start(program, {QStringLiteral("--daemonize=yes"), QStringLiteral("-n"), QStringLiteral("--system=false"),
                               QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=yes"),
                               QStringLiteral("--log-target=stderr"),
                               QStringLiteral("--load=module-null-sink sink_name=bench"),
                               QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=")
                                   + socket()});
        if (!server.waitForFinished(10000) || server.exitCode() != 0) {
            return;
        }
        for (int i = 0; i < 100 && pid_ == 0; ++i) {
            pid_ = readProc(dir_.filePath(QStringLiteral("pid"))).trimmed().toLongLong();
            if (pid_ == 0) {
                QThread::msleep(20);
            }
        }
    }
    ~SoundServer()
    {
        if (pid_ > 0) {
            ::kill(static_cast<pid_t>(pid_), SIGTERM);
        }
    }
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    bool running() const { return pid_ > 0; }
    qint64 pid() const { return pid_; }
    QString socket() const { return dir_.filePath(QStringLiteral("native")); }
    QString address() const { return QStringLiteral("unix:") + socket(); }
    // How many streams are playing into the null sink.
    int streams() const
    {
        QProcess pactl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), address());
        pactl.setProcessEnvironment(env);
        pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
        if (!pactl.waitForFinished(5000)) {
            return -1;
        }
        return static_cast<int>(pactl.readAllStandardOutput().count('\n'));
    }

private:
    QTemporaryDir dir_;
    qint64 pid_ = 0;
};

SoundServer& soundServer()
{
    static SoundServer server;
    return server;
}

// --- the idle game -----------------------------------------------------------

enum class Audio { None, SoundOff, Music };

// Resident memory of the run without audio, for the difference.
std::optional<double> noAudioRss;

constexpr int kSettleMs = 5000;  // start-up, first render, stream running
constexpr int kWindowMs = 10000; // the idle time measured

void BM_IdleGame(benchmark::State& state)
{
    const auto audio = static_cast<Audio>(state.range(0));
    SoundServer& server = soundServer();
    if (!server.running()) {
        state.SkipWithError("pulseaudio could not be started");
        return;
    }
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/tavrin");
    for (auto _ : state) {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
        env.insert(QStringLiteral("PULSE_SERVER"), server.address());
        if (audio == Audio::None) {
            env.insert(QStringLiteral("TAVRIN_NO_AUDIO"), QStringLiteral("1"));
        } else {
            env.remove(QStringLiteral("TAVRIN_NO_AUDIO"));
        }
        if (audio == Audio::SoundOff) {
            QDir(home.path()).mkpath(QStringLiteral("Tavrin for Windows"));
            QFile ini(home.filePath(QStringLiteral("Tavrin for Windows/Tavrin for Windows.conf")));
            if (ini.open(QIODevice::WriteOnly)) {
                ini.write("[Options]\nPointMode=0\n");
            }
        }
        QProcess game;
        game.setProcessEnvironment(env);
        game.setStandardOutputFile(QProcess::nullDevice());
        game.setStandardErrorFile(QProcess::nullDevice());
        game.start(program, {});
        if (!game.waitForStarted(10000) || game.waitForFinished(kSettleMs)) {
            state.SkipWithError("the game did not stay up");
            return;
        }
        const ProcessFigures gameBefore = figures(game.processId());
        const ProcessFigures serverBefore = figures(server.pid());
        QThread::msleep(kWindowMs);
        const ProcessFigures gameAfter = figures(game.processId());
        const ProcessFigures serverAfter = figures(server.pid());
        const int streams = server.streams();

        QElapsedTimer quit;
        quit.start();
        ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
        const bool ended = game.waitForFinished(10000);
        const double quitMs = static_cast<double>(quit.nsecsElapsed()) / 1e6;
        if (!ended) {
            game.kill();
            game.waitForFinished();
        }
        const double seconds = kWindowMs / 1000.0;
        const double gameCpu = (gameAfter.cpuSeconds - gameBefore.cpuSeconds) / seconds * 100;
        const double serverCpu = (serverAfter.cpuSeconds - serverBefore.cpuSeconds) / seconds * 100;
        state.SetIterationTime(seconds);
        state.counters["game_cpu_%"] = gameCpu;
        state.counters["server_cpu_%"] = serverCpu;
        state.counters["both_cpu_%"] = gameCpu + serverCpu;
        state.counters["wakeups/s"] = static_cast<double>(gameAfter.switches - gameBefore.switches) / seconds;
        state.counters["audio_wakeups"] = static_cast<double>(gameAfter.audioSwitches - gameBefore.audioSwitches);
        state.counters["rss_MiB"] = gameAfter.rssMiB;
        if (audio == Audio::None) {
            noAudioRss = gameAfter.rssMiB;
        } else if (noAudioRss) {
            state.counters["rss_over_no_audio_MiB"] = gameAfter.rssMiB - *noAudioRss;
        }
        state.counters["streams"] = streams;
        state.counters["quit_ms"] = quitMs;
        if (audio == Audio::Music && streams < 1) {
            state.SkipWithError("no music stream reached the sound server");
        }
    }
}
BENCHMARK(BM_IdleGame)->ArgName("audio")->Arg(static_cast<int>(Audio::None))->Arg(static_cast<int>(Audio::SoundOff))
    ->Arg(static_cast<int>(Audio::Music))->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// --- start-up ------------------------------------------------------------------

// The real program to its first frame and out again, with the sound server
// there, with audio and without (the median of each is the figure).
void BM_ColdStartUpWithSoundServer(benchmark::State& state)
{
    const bool audio = state.range(0) != 0;
    SoundServer& server = soundServer();
    if (!server.running()) {
        state.SkipWithError("pulseaudio could not be started");
        return;
    }
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/tavrin");
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("PULSE_SERVER"), server.address());
    if (audio) {
        env.remove(QStringLiteral("TAVRIN_NO_AUDIO"));
    } else {
        env.insert(QStringLiteral("TAVRIN_NO_AUDIO"), QStringLiteral("1"));
    }
    // CPU time of the finished program, from the children's usage, which is
    // steadier than wall time on a shared machine.
    auto childCpuMs = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    };
    double cpuMs = 0;
    int runs = 0;
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        const double cpuBefore = childCpuMs();
        QElapsedTimer clock;
        clock.start();
        process.start(program, {QStringLiteral("--quit-after-first-frame")});
        const bool finished = process.waitForFinished(10000);
        const qint64 elapsed = clock.nsecsElapsed();
        cpuMs += childCpuMs() - cpuBefore;
        ++runs;
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            process.kill();
            process.waitForFinished();
            state.SkipWithError("the program did not start and quit by itself");
            return;
        }
        state.SetIterationTime(static_cast<double>(elapsed) / 1e9);
    }
    state.counters["cpu_ms"] = runs > 0 ? cpuMs / runs : 0;
}
BENCHMARK(BM_ColdStartUpWithSoundServer)->ArgName("audio")->Arg(0)->Arg(1)->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);

// --- start-up and the close box, in this process -----------------------------

// To the first frame with the sound server there, with and without audio;
// then, with music playing, the close box until the window is gone.
void BM_SoundStartUpAndCloseBox(benchmark::State& state)
{
    const bool audio = state.range(0) != 0;
    SoundServer& server = soundServer();
    if (!server.running()) {
        state.SkipWithError("pulseaudio could not be started");
        return;
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("PULSE_SERVER", server.address().toUtf8());
    if (audio) {
        qunsetenv("TAVRIN_NO_AUDIO");
    } else {
        qputenv("TAVRIN_NO_AUDIO", "1");
    }
    const QString folder = QCoreApplication::applicationDirPath();
    double firstFrameMs = 0;
    double closeMs = 0;
    double teardownMs = 0;
    int reads = 0;
    int readsByFirstFrame = 0;
    int runs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        {
            auto shell = std::make_unique<tavrin::app::GameShell>(tavrin::app::ShellOptions{folder, {}});
            shell->start();
            shell->show();
            while (!shell->form().board()->isVisible() && clock.elapsed() < 5000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
            // The first paint follows the show within the same event-loop turn.
            QCoreApplication::processEvents();
            firstFrameMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
            readsByFirstFrame += shell->window().media().renderer().soundFontReads();
            // Let the start-up timer start the free game and its music.
            QElapsedTimer playing;
            playing.start();
            while (playing.elapsed() < 1500) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            }
            reads += shell->window().media().renderer().soundFontReads();
            QElapsedTimer close;
            close.start();
            shell->form().close();
            closeMs += static_cast<double>(close.nsecsElapsed()) / 1e6;
            QElapsedTimer gone;
            gone.start();
            shell.reset();
            teardownMs += static_cast<double>(gone.nsecsElapsed()) / 1e6;
        }
        QCoreApplication::processEvents();
        state.SetIterationTime(1);
        ++runs;
    }
    qunsetenv("TAVRIN_NO_AUDIO");
    state.counters["first_frame_ms"] = firstFrameMs / runs;
    state.counters["close_box_ms"] = closeMs / runs;
    state.counters["teardown_ms"] = teardownMs / runs;
    state.counters["soundfont_reads_by_first_frame"] = static_cast<double>(readsByFirstFrame) / runs;
    state.counters["soundfont_reads"] = static_cast<double>(reads) / runs;
}
BENCHMARK(BM_SoundStartUpAndCloseBox)->ArgName("audio")->Arg(0)->Arg(1)->UseManualTime()->Iterations(5);

} // namespace
