// Start-up and the "Most!" click, on a real display: run it under xvfb-run.
//   xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" build/bench/vkt_bench_main
#include "services/Clock.h"
#include "services/Messages.h"
#include "windows/common/DrawnText.h"
#include "windows/common/WindowLook.h"
#include "windows/main/MainClientArea.h"
#include "windows/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

constexpr const char* kStartOnce = "--start-once";

// Any message during a run means the measured path was not the normal one.
class CountingSink final : public vkt::MessageSink {
public:
    void show(const QString& text, vkt::MessageIcon) override
    {
        ++shown;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    vkt::SaveAnswer askToSave(const QString&) override { return vkt::SaveAnswer::Discard; }
    int shown = 0;
};

// The shipped data folder copied aside, so the runs write their records there.
class DataFolder {
public:
    DataFolder()
    {
        const QDir shipped(QStringLiteral(VKT_SHIPPED_DATA));
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), dir_.filePath(name));
        if (!QFile::exists(dir_.filePath(QStringLiteral("ujholdak.txt"))))
            qFatal("no shipped data in %s", VKT_SHIPPED_DATA);
        qputenv("VKT_DATA_DIR", dir_.path().toLocal8Bit());
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// The child process: exactly what main() does, then it reports the window shown and ends.
int startOnce(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    vkt::setMessageSink(std::make_shared<CountingSink>());
    vkt::MainWindow window;
    window.show();
    vkt::centreOnScreen(&window);
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    std::printf("shown %.3f\n", sinceMain.nsecsElapsed() / 1e6);
    std::fflush(stdout);
    return 0;
}

void ColdStartToMainWindowShown(benchmark::State& state)
{
    DataFolder data;
    double inProcessMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kStartOnce)});
        if (!child.waitForReadyRead(10000)) {
            state.SkipWithError("the program did not report its window");
            break;
        }
        const QByteArray line = child.readLine();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        inProcessMs += line.mid(6).trimmed().toDouble();
        child.waitForFinished();
    }
    state.counters["in_process_ms"] = benchmark::Counter(inProcessMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(ColdStartToMainWindowShown)->UseManualTime()->Iterations(10)->Repetitions(3)->Unit(benchmark::kMillisecond);

// From the click to the six lines and the phase picture painted, with both files written.
void NowClickToResultDrawn(benchmark::State& state)
{
    DataFolder data;
    auto sink = std::make_shared<CountingSink>();
    vkt::setMessageSink(sink);
    vkt::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    vkt::MainClientArea& area = *window.clientArea();
    area.newMoonField->setText(QStringLiteral("2026.11.09 08:02"));
    for (auto _ : state) {
        QTest::mouseClick(area.nowButton, Qt::LeftButton);
        area.repaint();
    }
    if (sink->shown != 0 || area.resultArea->lines().size() != 6)
        state.SkipWithError("the click did not draw a result");
    vkt::setMessageSink(nullptr);
}
BENCHMARK(NowClickToResultDrawn)->Iterations(200)->Repetitions(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], kStartOnce) == 0)
        return startOnce(argc, argv);
    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
