#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace vkt {

// The visibility window's help page in Hungarian: every column, the two criteria and their
// sources, the time zone, and what the pictures and the sheet show and leave out.
QString visibilityHelpText();

// "Súgó – Holdsarló láthatósága": the page in a window of its own, beside the one it explains.
class VisibilityHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit VisibilityHelpWindow(QWidget* parent);

    QTextBrowser* page = nullptr;
};

} // namespace vkt
