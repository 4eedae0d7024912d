// Start-up to an idle main frame: the vorn program (splash shortened to 0) against a bare
// QApplication with a QMainWindow and a QMdiArea, each a fresh process, measured in the same
// run. Prints the medians and the ratio vorn / bare as counters. Build it in Release.

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace {

QProcessEnvironment Env(const QTemporaryDir& dir, const QString& name) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VORN_SPLASH_MS", "0");
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", dir.path());
    env.insert("VORN_INSTANCE_NAME", name);
    env.insert("VORN_UPDATE_SERVER", "127.0.0.1:1");
    env.insert("VORN_ALERTS", "stderr");
    env.insert("VORN_EXIT_WHEN_IDLE", "1");
    return env;
}

// Both children are timed the same way: from the process start until the child writes "idle",
// which it does once its frame is shown and a pass of the event loop finds nothing to do. The
// exit after that is not timed in either.
double TimeToIdle(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                  const QString& workDir) {
    QElapsedTimer t;
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty()) p.setWorkingDirectory(workDir);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    t.start();
    p.start(program, args);
    double ms = -1;
    QByteArray out;
    while (ms < 0 && p.state() != QProcess::NotRunning && t.elapsed() < 30000) {
        if (p.waitForReadyRead(30000)) {
            out += p.readAllStandardOutput();
            if (out.contains("idle\n")) ms = double(t.nsecsElapsed()) / 1e6;
        }
    }
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    if (ms < 0) std::fprintf(stderr, "%s never became idle\n", qPrintable(program));
    return ms;
}

// The baseline child: the frame is shown and the loop runs until a pass finds nothing to do.
int RunBare(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setCentralWidget(new QMdiArea(&frame));
    frame.resize(900, 650);
    frame.show();
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    while (dispatcher->processEvents(QEventLoop::AllEvents)) {
    }
    std::fputs("idle\n", stdout);
    std::fflush(stdout);
    return 0;
}

// The program under test: this build's vorn, or another build named by VORN_BENCH_PROGRAM (to
// set two builds side by side).
QString VornProgram() {
    const QByteArray other = qgetenv("VORN_BENCH_PROGRAM");
    return other.isEmpty() ? QString(VORN_BINARY) : QString::fromLocal8Bit(other);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Each iteration starts the bare frame and then vorn, so that both meet the same load on a busy
// machine; the medians stand against each other.
void BM_StartupToIdle(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<double> bare, vorn;
    int run = 0;
    for (auto _ : state) {
        const double b =
            TimeToIdle(QCoreApplication::applicationFilePath(), {"--bare"}, Env(dir, "unused"), {});
        const QString name = QString("vorn-bench-%1-%2").arg(::getpid()).arg(++run);
        const double v = TimeToIdle(VornProgram(), {}, Env(dir, name), dir.path());
        if (b > 0 && v > 0) {
            bare.push_back(b);
            vorn.push_back(v);
        }
    }
    const double bareMs = Median(bare);
    const double vornMs = Median(vorn);
    state.counters["bare_ms"] = bareMs;
    state.counters["vorn_ms"] = vornMs;
    if (bareMs > 0) state.counters["ratio_to_bare"] = vornMs / bareMs;
}

} // namespace

BENCHMARK(BM_StartupToIdle)->Unit(benchmark::kMillisecond)->Iterations(30);

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return RunBare(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
