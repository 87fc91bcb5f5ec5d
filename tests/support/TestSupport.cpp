#include "TestSupport.h"

#include "DateTime.h"
#include "FileBytes.h"
#include "TextFiles.h"

#include <QFile>

namespace vkt::testing {

void DataFolderTest::SetUp()
{
    dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir->isValid());
    qputenv("VKT_DATA_DIR", dir->path().toLocal8Bit());
    messages = std::make_shared<MessageRecorder>();
    setMessageSink(messages);
    clock = std::make_shared<FixedClock>(*toDateTime(QStringLiteral("2026.12.06 22:00:09")));
    setClock(clock);
    setWriteFault(std::nullopt);
}

void DataFolderTest::TearDown()
{
    setMessageSink(nullptr);
    setClock(nullptr);
    setWriteFault(std::nullopt);
    qunsetenv("VKT_DATA_DIR");
    dir.reset();
}

QString DataFolderTest::path(const QString& name) const
{
    return dir->filePath(name);
}

void DataFolderTest::writeBytes(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray DataFolderTest::readBytes(const QString& name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
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

} // namespace vkt::testing
