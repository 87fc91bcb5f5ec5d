#pragma once

#include <QString>
#include <exception>

namespace vkt {

// A failure no handler answers with a message of its own: caught at the edge of each
// window handler and shown in an error box, after which the program goes on.
class Failure : public std::exception {
public:
    explicit Failure(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// Two times so far apart that their minute count leaves the signed 32-bit range.
class MinuteRangeFailure : public Failure {
public:
    using Failure::Failure;
};

// Text holding a character that the Central European code page cannot store.
class EncodingFailure : public Failure {
public:
    EncodingFailure(QString message, QString character)
        : Failure(std::move(message)), character_(std::move(character)) {}
    const QString& character() const noexcept { return character_; }

private:
    QString character_;
};

} // namespace vkt
