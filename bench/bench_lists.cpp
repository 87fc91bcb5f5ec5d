#include "services/Messages.h"
#include "services/TextFiles.h"
#include "windows/common/WindowLook.h"
#include "windows/lists/JournalEditor.h"
#include "windows/lists/ReferenceListWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
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

QByteArray tenMegabyteJournal()
{
    QString text;
    for (int i = 0; text.size() < 10'000'000; ++i)
        text += QStringLiteral("2026.12.06 16:32  %1. megfigyelés: vékony sarló a nyugati égen, őszi ködben, űrállomás.\r\n")
                    .arg(i);
    return vkt::encodeWindows1250(text);
}

void EditorOpensTenMegabytes(benchmark::State& state)
{
    DataFolder data;
    data.write(QStringLiteral("naplo-vkt.txt"), tenMegabyteJournal());
    sink->shown = 0;
    for (auto _ : state) {
        vkt::JournalEditor editor(vkt::Journal::ObservationLog);
        editor.show();
        QCoreApplication::processEvents();
    }
    if (sink->shown)
        state.SkipWithError("a message was shown");
}
BENCHMARK(EditorOpensTenMegabytes)->Unit(benchmark::kMillisecond);

// The whole round of a user's edit: open, one keystroke at the end, "Mentés".
void EditorOpensEditsAndSavesTenMegabytes(benchmark::State& state)
{
    DataFolder data;
    const QByteArray journal = tenMegabyteJournal();
    sink->shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        data.write(QStringLiteral("naplo-vkt.txt"), journal);
        state.ResumeTiming();
        vkt::JournalEditor editor(vkt::Journal::ObservationLog);
        editor.show();
        QCoreApplication::processEvents();
        auto* text = editor.findChild<QPlainTextEdit*>(QStringLiteral("text"));
        text->moveCursor(QTextCursor::End);
        text->insertPlainText(QStringLiteral("ő"));
        editor.findChild<QAction*>(QStringLiteral("saveAction"))->trigger();
    }
    if (sink->shown)
        state.SkipWithError("a message was shown");
    state.counters["MB"] = double(journal.size()) / 1e6;
}
BENCHMARK(EditorOpensEditsAndSavesTenMegabytes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    sink = std::make_shared<CountingSink>();
    vkt::setMessageSink(sink);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vkt::setMessageSink(nullptr);
    return 0;
}
