// Start-up to an idle main frame: the vorn program (splash shortened to 0) against a bare
// QApplication with a QMainWindow and a QMdiArea, each a fresh process, measured in the same
// run. Prints the ratio vorn / bare as a counter of the vorn benchmark.

#include "XGInstance.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

double s_bareMs = 0;

QProcessEnvironment Env(const QTemporaryDir& dir, const QString& name) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VORN_SPLASH_MS", "0");
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", dir.path());
    env.insert("VORN_INSTANCE_NAME", name);
    env.insert("VORN_UPDATE_SERVER", "127.0.0.1:1");
    env.insert("VORN_ALERTS", "stderr");
    return env;
}

// The baseline child: the frame is shown and the queue drained, then it ends.
int RunBare(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setCentralWidget(new QMdiArea(&frame));
    frame.resize(900, 650);
    frame.show();
    QCoreApplication::processEvents();
    return 0;
}

void BM_BareFrame(benchmark::State& state) {
    QTemporaryDir dir;
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.setProcessEnvironment(Env(dir, "unused"));
        p.start(QCoreApplication::applicationFilePath(), {"--bare"});
        p.waitForFinished(30000);
        total += double(t.nsecsElapsed()) / 1e6;
    }
    s_bareMs = total / double(state.iterations());
    state.counters["ms"] = s_bareMs;
}

// The vorn child is asked to quit as soon as its channel is up; the request is taken only once
// start-up has finished and the loop runs, so the time covers start-up to idle and the quit.
void BM_VornStartup(benchmark::State& state) {
    QTemporaryDir dir;
    double total = 0;
    int run = 0;
    for (auto _ : state) {
        const QString name = QString("vorn-bench-%1-%2").arg(::getpid()).arg(++run);
        const std::string socket = (dir.path() + "/" + name).toStdString();
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.setProcessEnvironment(Env(dir, name));
        p.setWorkingDirectory(dir.path());
        p.start(VORN_BINARY, {});
        while (!yaaf::XGSendToInstance(socket, "[exit]", 50)) {
            if (p.state() == QProcess::NotRunning || t.elapsed() > 30000) break;
            QThread::usleep(500);
        }
        p.waitForFinished(30000);
        total += double(t.nsecsElapsed()) / 1e6;
    }
    const double ms = total / double(state.iterations());
    state.counters["ms"] = ms;
    if (s_bareMs > 0) state.counters["ratio_to_bare"] = ms / s_bareMs;
}

} // namespace

BENCHMARK(BM_BareFrame)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_VornStartup)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return RunBare(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
