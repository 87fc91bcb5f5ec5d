#include "DescriptionWindow.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "Twips.h"
#include "window_test_support.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace vkt {
namespace {

using testing::flushDeletes;

class DescriptionWindowTest : public testing::DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        window = form.show([] { return new DescriptionWindow; });
    }
    void TearDown() override
    {
        if (QWidget* open = form.get())
            open->close();
        flushDeletes();
        DataFolderTest::TearDown();
    }
    QLabel* label(const char* name) const
    {
        auto* found = window->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    SingleWindow<DescriptionWindow> form;
    QWidget* window = nullptr;
};

const QColor Red(0xFF, 0x00, 0x00);
const QColor Black(0x00, 0x00, 0x00);

TEST_F(DescriptionWindowTest, LabelsReadExactlyAsDesigned)
{
    struct Row {
        const char* name;
        QString text;
        qsizetype length;  // the count the design gives, as a check on the blank runs
        QColor colour;
        Qt::Alignment alignment;
    };
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
    const Row rows[] = {
        {"Label6", "A program használatához néhány tanács:", 38, Black, centred},
        {"Label7",
         "A legördülő 'Újhold időpontok' listában az időpontok a magyar időszámítás szerint vannak (nyári- téli "
         "isz. korrigálásával!)",
         123, Red, centred},
        {"Label1",
         "1.) a SÁRGA (Utolsó Újhold) gombra kattintva megjelenik a legutolsónak megadott újhold időpontja.", 97,
         Black, left},
        {"Label2",
         "2.) a ZÖLD (Utolsó Megfigyelés) gombra kattintva betölti az elmentett utolsó megfigyelési dátumot. Ha "
         "újat adunk meg, a MENTÉS gombbal elmenthetjük, legközelebb már azt tölti be. ",
         179, Black, left},
        {"Label3",
         "3.) a KÉK (Most!) gombra kattintva a pillanatnyi időt-dátumot (a számítógép rendszer idejét) tölti be a "
         "'Megfigyelési idejének'.",
         128, Black, left},
        {"Label5",
         "Újhold időpont választásánál:  a program az aktuális (téli- nyári-) MAGYAR idő szerinti időpontokat "
         "tölti be (átírható, ha kell). A Program NEM számol át az időzónák között!",
         173, Red, left},
        {"Label4",
         "A ZÖLD vagy a KÉK gombra kattintva az 'Utolsó Újhold' mező tartalmát a program  -ELMENTI-  és a SÁRGA "
         "gombbal legközelebb már azt jeleníti meg!" + QString(25, u' ')
             + "Minden számítás automatikusan elmentődik a   '\\Pic\\szamitott.txt'   file -ba!",
         245, Red, left},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QLabel* shown = label(row.name);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text(), row.text);
        EXPECT_EQ(shown->text().size(), row.length);
        EXPECT_EQ(shown->textFormat(), Qt::PlainText);  // apostrophes and backslashes shown as they are
        EXPECT_EQ(shown->palette().color(QPalette::WindowText), row.colour);
        EXPECT_EQ(shown->alignment(), row.alignment);
        EXPECT_TRUE(shown->wordWrap());
    }
}

TEST_F(DescriptionWindowTest, EveryLineOfEveryLabelIsVisible)
{
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 7);
    for (const QLabel* shown : labels) {
        SCOPED_TRACE(shown->objectName().toStdString());
        EXPECT_GE(shown->height(), shown->heightForWidth(shown->width()));
        EXPECT_TRUE(window->rect().contains(shown->geometry()));
        for (const QLabel* other : labels)
            EXPECT_TRUE(other == shown || !other->geometry().intersects(shown->geometry())) << other->objectName().toStdString();
    }
    // Only grown downwards: the design's positions and widths stand.
    EXPECT_EQ(label("Label5")->pos(), twipsPoint(240, 4680));
    EXPECT_EQ(label("Label5")->width(), twips(9015));
}

TEST_F(DescriptionWindowTest, GreyRuleBetweenTheHintsAndTheNotes)
{
    const QImage image = window->grab().toImage();
    EXPECT_EQ(image.pixelColor(twipsPoint(4000, 4440)), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixelColor(twipsPoint(600, 4440)), QColor(0xFF, 0xFF, 0xC0));  // left of its start
}

TEST_F(DescriptionWindowTest, OkClosesButEnterAndEscapeDoNot)
{
    auto* ok = window->findChild<QPushButton*>(QStringLiteral("Command10"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_FALSE(ok->isDefault());
    ok->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(ok, key);
        flushDeletes();
        ASSERT_EQ(form.get(), window);
    }
    QTest::mouseClick(ok, Qt::LeftButton);
    flushDeletes();
    EXPECT_EQ(form.get(), nullptr);
}

} // namespace
} // namespace vkt
