#include "windows/other/DescriptionWindow.h"

#include "windows/common/WindowLook.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace vkt {
namespace {

constexpr QColor Background = colours::PaleYellow;

} // namespace

DescriptionWindow::DescriptionWindow()
{
    setObjectName(QStringLiteral("descriptionWindow"));
    setWindowTitle(QStringLiteral("Program leírása"));
    setColours(this, Background);
    setFont(programFont(QStringLiteral("Arial"), 14.25));
    setFixedSize(twipsSize(9495, 7590));
    setFrame(this, Frame::Fixed, Minimise::Off);

    // Not a default button: Enter and Esc leave the page open.
    QPushButton* ok = colouredButton(this, QStringLiteral("&OK"), colours::PaleGreen,
                                     programFont(QStringLiteral("Arial"), 12, QFont::Bold), twipsRect(4320, 6960, 975, 495));
    ok->setObjectName(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    createLabels();
}

void DescriptionWindow::createLabels()
{
    const QFont heading = programFont(QStringLiteral("Arial"), 15.75);
    const QFont body = programFont(QStringLiteral("Times New Roman"), 12.75);
    const QColor windowText = palette().color(QPalette::WindowText);
    const QColor buttonText = palette().color(QPalette::ButtonText);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;

    struct Text {
        const char* name;
        QString text;
        QRect geometry;
        const QFont& font;
        QColor colour;
        Qt::Alignment alignment;
    };
    // The blank runs belong to the page: the 25 after "meg!" push the last sentence of the note on
    // saving onto a line of its own.
    const Text texts[] = {
        {"newMoonListNote",
         QStringLiteral("A legördülő 'Újhold időpontok' listában az időpontok a magyar időszámítás szerint vannak "
                        "(nyári- téli isz. korrigálásával!)"),
         twipsRect(360, 840, 8895, 615), body, colours::Red, centred},
        {"heading", QStringLiteral("A program használatához néhány tanács:"), twipsRect(360, 120, 8895, 495),
         heading, windowText, centred},
        {"timeZoneNote",
         QStringLiteral("Újhold időpont választásánál:  a program az aktuális (téli- nyári-) MAGYAR idő szerinti "
                        "időpontokat tölti be (átírható, ha kell). A Program NEM számol át az időzónák között!"),
         twipsRect(240, 4680, 9015, 735), body, colours::Red, left},
        {"savingNote",
         QStringLiteral("A ZÖLD vagy a KÉK gombra kattintva az 'Utolsó Újhold' mező tartalmát a program  -ELMENTI-  "
                        "és a SÁRGA gombbal legközelebb már azt jeleníti meg!                         "
                        "Minden számítás automatikusan elmentődik a   '\\Pic\\szamitott.txt'   file -ba!"),
         twipsRect(360, 5640, 9135, 1095), body, colours::Red, left},
        {"nowHint",
         QStringLiteral("3.) a KÉK (Most!) gombra kattintva a pillanatnyi időt-dátumot (a számítógép rendszer idejét) "
                        "tölti be a 'Megfigyelési idejének'."),
         twipsRect(240, 3600, 9015, 735), body, buttonText, left},
        {"lastObservationHint",
         QStringLiteral("2.) a ZÖLD (Utolsó Megfigyelés) gombra kattintva betölti az elmentett utolsó megfigyelési "
                        "dátumot. Ha újat adunk meg, a MENTÉS gombbal elmenthetjük, legközelebb már azt tölti be. "),
         twipsRect(240, 2520, 9015, 975), body, buttonText, left},
        {"restoreNewMoonHint",
         QStringLiteral("1.) a SÁRGA (Utolsó Újhold) gombra kattintva megjelenik a legutolsónak megadott újhold "
                        "időpontja."),
         twipsRect(240, 1680, 9015, 615), body, buttonText, left},
    };
    for (const Text& t : texts) {
        QLabel* label = wrappedLabel(this, t.text, t.font, t.geometry, t.colour, t.alignment);
        label->setObjectName(QLatin1String(t.name));
        label->setTextFormat(Qt::PlainText);
        setColours(label, Background);
        // Liberation Serif, standing in for Times New Roman, wraps the time-zone note onto a third
        // line; the label grows into the free space below it rather than cut off "között!".
        label->resize(label->width(), std::max(label->height(), label->heightForWidth(label->width())));
    }
}

void DescriptionWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(colours::Silver);
    painter.drawLine(twipsPoint(960, 4440), twipsPoint(8280, 4440));  // between the hints and the notes
}

} // namespace vkt
