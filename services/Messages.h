#pragma once

#include <QString>
#include <memory>

namespace vkt {

enum class MessageIcon { Error = 16, Warning = 48 };

// The answer to "save the changes?" when a window with unsaved edits is closed.
enum class SaveAnswer { Save, Discard, Cancel };

// The answer when the file a window is about to save was changed by someone else since it was read:
// write this window's text over it, take the file's text into the window instead, or do neither.
enum class ChangedFileAnswer { KeepMine, TakeTheirs, Cancel };

// Where messages go: a modal box in the program, a recorder in the tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString& text, MessageIcon icon) = 0;
    virtual SaveAnswer askToSave(const QString& text) = 0;
    // A sink that cannot ask answers no, so nothing is done unasked.
    virtual bool confirm(const QString&) { return false; }
    // A sink that cannot ask lets nothing be written over nor thrown away.
    virtual ChangedFileAnswer askAboutChangedFile(const QString&) { return ChangedFileAnswer::Cancel; }
};

void showMessage(const QString& text, MessageIcon icon);
// Without a sink the questions are answered Cancel (and no), so nothing is lost or done unasked.
SaveAnswer askToSave(const QString& text);
bool confirm(const QString& text);  // a yes-or-no question
ChangedFileAnswer askAboutChangedFile(const QString& text);
void setMessageSink(std::shared_ptr<MessageSink> sink);  // nullptr: messages go to stderr

} // namespace vkt
