#pragma once

#include <QString>
#include <memory>

namespace vkt {

enum class MessageIcon { Error = 16, Warning = 48 };

// Where messages go: a modal box in the program, a recorder in the tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString& text, MessageIcon icon) = 0;
};

void showMessage(const QString& text, MessageIcon icon);
void setMessageSink(std::shared_ptr<MessageSink> sink);  // nullptr: messages go to stderr

} // namespace vkt
