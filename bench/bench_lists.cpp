#include "services/Messages.h"
#include "services/TextFiles.h"
#include "windows/common/WindowLook.h"
#include "windows/lists/JournalEditor.h"
#include "windows/lists/ReferenceListWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Any message during a run means the measured path was not the normal one.
class CountingSink final : public vkt::MessageSink {
public:
    void show(const QString&, vkt::MessageIcon) override { ++shown; }
    vkt::SaveAnswer askToSave(const QString&) override { return vkt::SaveAnswer::Discard; }
    int shown = 0;
};

std::shared_ptr<CountingSink> sink;

class DataFolder {
public:
    DataFolder() { qputenv("VKT_DATA_DIR", dir_.path().toLocal8Bit()); }
    ~DataFolder() { qunsetenv("VKT_DATA_DIR"); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
    }
    qint64 size(const QString& name) const { return QFileInfo(dir_.filePath(name)).size(); }

private:
    QTemporaryDir dir_;
};

void ListWindowOpensMillionLines(benchmark::State& state)
{
    DataFolder data;
    QString text;
    for (int i = 0; i < 1'000'000; ++i)
        text += QStringLiteral("%1  2026.12.%2  16:32  este     28 óra 15 perc   őű\r\n")
                    .arg(i, 7, 10, QLatin1Char('0'))
                    .arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
    const QByteArray bytes = vkt::encodeWindows1250(text);
    data.write(QStringLiteral("holdsarlok.txt"), bytes);
    sink->shown = 0;
    for (auto _ : state) {
        vkt::ReferenceListWindow window(vkt::ReferenceList::EarlyCrescents);
        window.show();
        QCoreApplication::processEvents();
        auto* list = window.findChild<QListView*>(QStringLiteral("list"));
        list->scrollToBottom();
        QCoreApplication::processEvents();
        if (list->model()->rowCount() != 1'000'000)
            state.SkipWithError("rows missing");
    }
    if (sink->shown)
        state.SkipWithError("a message was shown");
    state.counters["MB"] = double(bytes.size()) / 1e6;
}
BENCHMARK(ListWindowOpensMillionLines)->Unit(benchmark::kMillisecond);

// Lines like a user's, in Windows-1250, up to the given number of characters.
QByteArray journal(qsizetype characters)
{
    QString text;
    text.reserve(characters + 200);
    for (int i = 0; text.size() < characters; ++i)
        text += QStringLiteral("2026.12.06 16:32  %1. megfigyelés: vékony sarló a nyugati égen, őszi ködben, űrállomás.\r\n")
                    .arg(i);
    return vkt::encodeWindows1250(text);
}

void EditorOpensTenMegabytes(benchmark::State& state)
{
    DataFolder data;
    data.write(QStringLiteral("jegyzetek.txt"), journal(10'000'000));
    sink->shown = 0;
    for (auto _ : state) {
        vkt::JournalEditor editor(vkt::Journal::Notes);
        editor.show();
        QCoreApplication::processEvents();
    }
    if (sink->shown)
        state.SkipWithError("a message was shown");
}
BENCHMARK(EditorOpensTenMegabytes)->Unit(benchmark::kMillisecond);

// A user's round on a journal: open, one keystroke at the end, "Mentés", close. The counters give
// each step's share in milliseconds of the wall clock; the saved file must be the old one and the
// keystroke's byte.
void openEditSaveClose(benchmark::State& state, DataFolder& data, const QByteArray& bytes)
{
    sink->shown = 0;
    double open = 0, edit = 0, save = 0, close = 0;
    qint64 saved = 0;
    for (auto _ : state) {
        state.PauseTiming();
        data.write(QStringLiteral("jegyzetek.txt"), bytes);
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        {
            vkt::JournalEditor editor(vkt::Journal::Notes);
            editor.show();
            QCoreApplication::processEvents();
            open += clock.nsecsElapsed() / 1e6;
            clock.restart();
            auto* text = editor.findChild<QPlainTextEdit*>(QStringLiteral("text"));
            text->moveCursor(QTextCursor::End);
            text->insertPlainText(QStringLiteral("ő"));
            edit += clock.nsecsElapsed() / 1e6;
            clock.restart();
            editor.findChild<QAction*>(QStringLiteral("saveAction"))->trigger();
            save += clock.nsecsElapsed() / 1e6;
            clock.restart();
        }
        close += clock.nsecsElapsed() / 1e6;
        state.PauseTiming();
        saved = data.size(QStringLiteral("jegyzetek.txt"));
        state.ResumeTiming();
    }
    if (saved != bytes.size() + 1)
        state.SkipWithError(qPrintable(QStringLiteral("%1 bytes saved of %2").arg(saved).arg(bytes.size() + 1)));
    else if (sink->shown)
        state.SkipWithError("a message was shown");
    const auto perRound = [&](double ms) { return benchmark::Counter(ms, benchmark::Counter::kAvgIterations); };
    state.counters["open_ms"] = perRound(open);
    state.counters["edit_ms"] = perRound(edit);
    state.counters["save_ms"] = perRound(save);
    state.counters["close_ms"] = perRound(close);
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void EditorOpensEditsAndSavesTenMegabytes(benchmark::State& state)
{
    DataFolder data;
    openEditSaveClose(state, data, journal(10'000'000));
}
// The save encodes on every processor: the CPU time is the whole process's.
BENCHMARK(EditorOpensEditsAndSavesTenMegabytes)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The same on a journal beyond the 2^29 bytes at which Qt 6.4's code-page converter gives an empty
// text at once: it must open whole and be saved whole. Several gigabytes of memory and a minute or
// more, so only when asked: VKT_BENCH_FULL_SIZE=1 build/bench/vkt_bench_lists --benchmark_filter=Full
void EditorOpensEditsAndSavesFullSizeJournal(benchmark::State& state)
{
    DataFolder data;
    openEditSaveClose(state, data, journal(600'000'000));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    sink = std::make_shared<CountingSink>();
    vkt::setMessageSink(sink);
    if (qEnvironmentVariableIntValue("VKT_BENCH_FULL_SIZE"))
        benchmark::RegisterBenchmark("EditorOpensEditsAndSavesFullSizeJournal", EditorOpensEditsAndSavesFullSizeJournal)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vkt::setMessageSink(nullptr);
    return 0;
}
