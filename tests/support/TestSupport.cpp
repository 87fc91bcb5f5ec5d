#include "tests/support/TestSupport.h"

#include "services/DateTime.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/Settings.h"
#include "services/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vkt::testing {

void DataFolderTest::SetUp()
{
    dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir->isValid());
    qputenv("VKT_DATA_DIR", dir->path().toLocal8Bit());
    setConfigurationFolder(dir->path());  // windows that remember settings keep them here
    messages = std::make_shared<MessageRecorder>();
    setMessageSink(messages);
    clock = std::make_shared<FixedClock>(*toDateTime(QStringLiteral("2026.12.06 22:00:09")));
    setClock(clock);
    setWriteFault(std::nullopt);
    setCodePagePieceSize(0);
}

void DataFolderTest::TearDown()
{
    setMessageSink(nullptr);
    setClock(nullptr);
    setWriteFault(std::nullopt);
    setCodePagePieceSize(0);
    qunsetenv("VKT_DATA_DIR");
    setConfigurationFolder({});
    dir.reset();
}

QString DataFolderTest::path(const QString& name) const
{
    return dir->filePath(name);
}

void DataFolderTest::writeBytes(const QString& name, const QByteArray& bytes) const
{
    writeFile(path(name), bytes);
}

QByteArray DataFolderTest::readBytes(const QString& name) const
{
    return fileBytes(path(name));
}

bool DataFolderTest::exists(const QString& name) const
{
    return QFile::exists(path(name));
}

void DataFolderTest::setNow(const QString& dateTimeText)
{
    const auto value = toDateTime(dateTimeText);
    ASSERT_TRUE(value.has_value()) << dateTimeText.toStdString();
    clock->value = *value;
}

QByteArray cp1250(const char* utf8)
{
    return encodeWindows1250(QString::fromUtf8(utf8));
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

QString failureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Failure& failure) {
        return failure.message();
    }
    return {};
}

} // namespace vkt::testing
