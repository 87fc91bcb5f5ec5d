#pragma once

#include "services/Clock.h"
#include "services/Messages.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

namespace vkt::testing {

struct RecordedMessage {
    QString text;
    MessageIcon icon;
};

// Stands in for the modal box: remembers every message instead of waiting for a click.
class MessageRecorder final : public MessageSink {
public:
    void show(const QString& text, MessageIcon icon) override { messages.push_back({text, icon}); }
    SaveAnswer askToSave(const QString& text) override
    {
        questions.push_back(text);
        return nextAnswer;
    }
    bool confirm(const QString& text) override
    {
        questions.push_back(text);
        return nextConfirmation;
    }
    ChangedFileAnswer askAboutChangedFile(const QString& text) override
    {
        questions.push_back(text);
        return nextChangedFileAnswer;
    }
    // The one message said since the last call, with that icon; empty when not exactly one.
    QString takeOne(MessageIcon icon)
    {
        EXPECT_EQ(messages.size(), 1u);
        if (messages.size() != 1)
            return {};
        const RecordedMessage m = messages[0];
        messages.clear();
        EXPECT_EQ(m.icon, icon);
        return m.text;
    }
    std::vector<RecordedMessage> messages;
    std::vector<QString> questions;  // every kind, in the order asked
    SaveAnswer nextAnswer = SaveAnswer::Cancel;
    bool nextConfirmation = false;
    ChangedFileAnswer nextChangedFileAnswer = ChangedFileAnswer::Cancel;
};

// Stands still, or moves on by step after every read.
class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime value) : value(value) {}
    DateTime now() const override { return std::exchange(value, value + step); }
    mutable DateTime value;
    DateTime step = 0;
};

// A fresh data folder, a message recorder and a settable clock for every test, and no planned
// write fault; all are put back in tear-down so a failing test cannot leak into the next one.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& name) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;
    bool exists(const QString& name) const;
    void setNow(const QString& dateTimeText);

    std::unique_ptr<QTemporaryDir> dir;
    std::shared_ptr<MessageRecorder> messages;
    std::shared_ptr<FixedClock> clock;
};

// Windows-1250 bytes of a UTF-8 literal, for writing fixtures as a user's file would hold them.
QByteArray cp1250(const char* utf8);

// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString& path);
// Makes the file's folder and writes the bytes, or fails the test.
void writeFile(const QString& path, const QByteArray& bytes);
// The message of the vkt::Failure the call throws; empty when it succeeds.
QString failureOf(const std::function<void()>& call);

} // namespace vkt::testing

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
