#pragma once

#include <QString>
#include <memory>

namespace vkt {

enum class MessageIcon { Error = 16, Warning = 48 };

// The answer to "save the changes?" when a window with unsaved edits is closed.
enum class SaveAnswer { Save, Discard, Cancel };

// Where messages go: a modal box in the program, a recorder in the tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString& text, MessageIcon icon) = 0;
    virtual SaveAnswer askToSave(const QString& text) = 0;
    // A sink that cannot ask answers no, so nothing is done unasked.
    virtual bool confirm(const QString&) { return false; }
};

void showMessage(const QString& text, MessageIcon icon);
SaveAnswer askToSave(const QString& text);  // without a sink: Cancel, so nothing is lost
bool confirm(const QString& text);          // a yes-or-no question; without a sink: no
void setMessageSink(std::shared_ptr<MessageSink> sink);  // nullptr: messages go to stderr

} // namespace vkt
