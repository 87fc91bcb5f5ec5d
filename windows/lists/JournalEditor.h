#pragma once

#include "windows/lists/JournalText.h"

#include <QWidget>

class QPlainTextEdit;

namespace vkt {

struct JournalLook;

enum class Journal { Notes, ObservationLog };

// The notes and the observation log: the whole journal file as one editable text.
// The file is read once, when the window is built, and rewritten whole by "Mentés" and "OK";
// a file that exists but cannot be read is shown as such and never saved over.
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
    // True when the text is in the file; otherwise a message has said why and the text stays.
    bool save();
    void saveAndClose();
    JournalText fileText() const;

    const JournalLook& look_;
    QPlainTextEdit* text_ = nullptr;
    // The file's text as it stood at loading or the last save.
    JournalText saved_;
    // The file exists but could not be read: it is never written over from this window.
    bool unreadable_ = false;
};

} // namespace vkt
