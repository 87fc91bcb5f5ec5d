#pragma once

#include "services/FileBytes.h"
#include "windows/lists/JournalText.h"

#include <QWidget>

class QPlainTextEdit;

namespace vkt {

struct JournalLook;

enum class Journal { Notes, ObservationLog };

// The notes and the observation log: the whole journal file as one editable text.
// The file is read when the window is built, and rewritten whole by "Mentés" and by "OK" after an
// edit; a file that exists but cannot be read whole is shown as such and never saved over, and one
// that another instance changed meanwhile is written over only when the user says so.
class JournalEditor : public QWidget {
    Q_OBJECT
public:
    explicit JournalEditor(Journal which);

protected:
    // Unsaved edits are not dropped silently: the user chooses to save, discard or stay.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenu();
    void load();
    void showText(const QString& text);
    // True when the text is in the file; otherwise a message has said why and the text stays, or
    // the user took the file's newer text into the window instead.
    bool save();
    void saveAndClose();
    JournalText fileText() const;
    QString changedFileQuestion(const FileStamp& now) const;

    const JournalLook& look_;
    QPlainTextEdit* text_ = nullptr;
    // The file's text as it stood at loading or the last save, and its stamp then: another
    // instance may save the same journal meanwhile.
    JournalText saved_;
    FileStamp stamp_;
    // The file exists but could not be read whole: it is never written over from this window.
    bool unreadable_ = false;
};

} // namespace vkt
