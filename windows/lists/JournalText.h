#pragma once

#include <QString>

namespace vkt {

// A journal file's text as the editor keeps it: the body it shows and the final line end the
// file had ("\r\n", "\n", "\r" or none), so that an unchanged save gives back the same bytes.
struct JournalText {
    QString body;
    QString finalLineEnd;

    static JournalText fromFile(QString fileText);
    QString fileText() const { return body + finalLineEnd; }
};

// The editor's paragraph and line separators as the file's CR LF.
QString fileForm(const QString& raw);
// Only the blank (code 32) counts as empty; line breaks and tabs are content.
bool blankOnly(const QString& text);

} // namespace vkt
