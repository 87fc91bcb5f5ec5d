#pragma once

#include <QString>
#include <vector>

namespace vkt {

// A journal file's text as the editor keeps it: the body it shows and the final line end the
// file had ("\r\n", "\n", "\r" or none), so that an unchanged save gives back the same bytes.
struct JournalText {
    QString body;
    QString finalLineEnd;

    static JournalText fromFile(QString fileText);
    QString fileText() const { return body + finalLineEnd; }
};

// A journal's body as the editor takes it in. The text box spends on every paragraph what it spends
// on a thousand characters, so lines go in by the group: a paragraph ends at the first line break past
// 32 lines or 2,048 characters, and every other break is a line separator. The box shows both alike.
struct EditorText {
    QString text;
    std::vector<int> paragraphLines;  // the lines of each paragraph, in order
};
EditorText editorForm(const QString& body);

// The editor's paragraph and line separators as the file's CR LF.
QString fileForm(const QString& raw);
// Only the blank (code 32) counts as empty; line breaks and tabs are content.
bool blankOnly(const QString& text);

} // namespace vkt
