#include "tests/main/MainWindowFixture.h"
#include "tests/support/AccessibleTree.h"
#include "windows/common/QtMessageBox.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "windows/main/MoonMapWindow.h"
#include "windows/sightings/SightingForm.h"
#include "windows/sightings/SightingsWindow.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/VisibilityWindow.h"

#include <QDateEdit>
#include <QDialog>
#include <QScrollArea>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

namespace vkt::testing {
namespace {

TEST_F(MainWindowTest, OneMoonMapWindowShowsEveryPictureUnscaledAndNamesAMissingOne)
{
    // Days 2 to 9 on F2 to F9, days 10 and 11 on F11 and F12; each picture is as wide as 100 + its day.
    const Qt::Key dayKeys[] = {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5,  Qt::Key_F6,
                               Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F11, Qt::Key_F12};
    for (int day = 2; day <= 11; ++day)
        writePicture(QStringLiteral("Lunar-day%1s.gif").arg(day, 2, 10, QLatin1Char('0')), QSize(100 + day, 50));
    writePicture("Lunar-map.jpg", QSize(200, 100));
    const auto map = [this] { return window->sideWindows().moonMap(); };
    const auto shown = [&] { return map()->picture()->pixmap().size(); };

    press(Qt::Key_F12);
    const QPointer<MoonMapWindow> first = map();
    ASSERT_NE(first, nullptr);
    // Drawn unscaled from the top-left corner of its area, on black.
    const QImage image = first->grab(QRect(twipsPoint(240, 240), QSize(200, 100))).toImage();
    EXPECT_EQ(image.pixelColor(110, 49), QColor(Qt::darkGray));
    EXPECT_EQ(image.pixelColor(111, 49), QColor(0x00, 0x00, 0x00));
    EXPECT_EQ(image.pixelColor(110, 50), QColor(0x00, 0x00, 0x00));
    for (int day = 2; day <= 11; ++day) {
        SCOPED_TRACE(day);
        press(dayKeys[day - 2]);
        EXPECT_EQ(shown(), QSize(100 + day, 50));
    }
    QTest::mouseClick(area().phasePicture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(shown(), QSize(200, 100));
    // The phase picture, last in the tab order, opens the map with Enter too.
    press(Qt::Key_F2);
    area().nowButton->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), area().phasePicture);
    QTest::keyClick(area().phasePicture, Qt::Key_Return);
    EXPECT_EQ(shown(), QSize(200, 100));
    EXPECT_EQ(unnamedControls(map()), "");
    EXPECT_EQ(map(), first.data());
    EXPECT_EQ(shownWindows("moonMapWindow").size(), 1);
    expectNoMessage();

    QFile::remove(path("Lunar-day06s.gif"));
    press(Qt::Key_F6);
    expectOneMessage(MessageIcon::Error, QStringLiteral("Lunar-day06s.gif"), false);
    EXPECT_EQ(shown(), QSize(200, 100));  // the previous picture stays

    // Once closed, the window is built afresh; a missing picture leaves it shown and empty.
    map()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    press(Qt::Key_F6);
    expectOneMessage(MessageIcon::Error, QStringLiteral("Lunar-day06s.gif"), false);
    ASSERT_NE(map(), nullptr);
    EXPECT_TRUE(map()->isVisible() && shown().isEmpty());

    // Never larger than the screen; a picture larger than the window is scrolled to, not cut off.
    writePicture("Lunar-day07s.gif", QSize(2400, 1600));
    press(Qt::Key_F7);
    QApplication::processEvents();  // the scroll area takes the picture's size
    EXPECT_TRUE(map()->screen()->availableGeometry().contains(map()->frameGeometry())) << map()->frameGeometry().width();
    QScrollBar* across = map()->pictureScroll()->horizontalScrollBar();
    QScrollBar* down = map()->pictureScroll()->verticalScrollBar();
    across->setValue(across->maximum());
    down->setValue(down->maximum());
    QWidget* view = map()->pictureScroll()->viewport();
    const QImage corner = view->grab().toImage();
    EXPECT_EQ(corner.pixelColor(corner.width() - 1, corner.height() - 1), QColor(Qt::darkGray));
    EXPECT_EQ(map()->picture()->mapTo(view, QPoint(2400, 1600)), QPoint(view->width(), view->height()));
}

// key Qt::Key_unknown: the item has no shortcut.
const struct MenuItem { const char* action; SideWindow window; const char* title; QKeyCombination key; } items[] = {
    {"notesItem", SideWindow::Notes, "Jegyzetek", Qt::CTRL | Qt::Key_J},
    {"observationLogItem", SideWindow::ObservationLog, "Megfigyelési napló", Qt::Key_unknown},
    {"calendarItem", SideWindow::Calendar, "Naptár", Qt::CTRL | Qt::Key_N},
    {"earlyCrescentsItem", SideWindow::EarlyCrescents, "Korai Holdsarlók", Qt::Key_unknown},
    {"solarEclipsesItem", SideWindow::SolarEclipses, "Napfogyatkozások", Qt::Key_unknown},
    {"lunarEclipsesItem", SideWindow::LunarEclipses, "Holdfogyatkozások", Qt::Key_unknown},
    {"venusCrescentsItem", SideWindow::VenusCrescents, "Vénusz sarlók láthatósága", Qt::Key_unknown},
    {"calculationsItem", SideWindow::Calculations, "Számítások", Qt::Key_unknown},
    {"aboutItem", SideWindow::About, "About VKT", Qt::Key_unknown},
    {"descriptionItem", SideWindow::Description, "Program leírása", Qt::CTRL | Qt::Key_L},
    {"crescentVisibilityItem", SideWindow::CrescentVisibility, "Holdsarló láthatósága", Qt::CTRL | Qt::Key_H},
    {"sightingsItem", SideWindow::Sightings, "Holdsarló-észlelések", Qt::CTRL | Qt::SHIFT | Qt::Key_E},
};

TEST_F(MainWindowTest, EachItemOpensItsSideWindowOnce)
{
    area().newMoonField->setText(QStringLiteral("2026.03.19 02:23"));
    for (const auto& item : items) {
        SCOPED_TRACE(item.action);
        const auto open = [&] { item.key.key() != Qt::Key_unknown ? press(item.key) : action(item.action)->trigger(); };
        open();
        QWidget* const first = window->sideWindows().window(item.window);
        ASSERT_TRUE(first && first->isVisible());
        EXPECT_EQ(first->windowTitle(), QString::fromUtf8(item.title));
        const qsizetype windows = QApplication::topLevelWidgets().size();
        first->showMinimized();  // asked for again, the same window comes back
        area().newMoonField->setText(QStringLiteral("2026.04.17 13:52"));
        open();
        EXPECT_EQ(window->sideWindows().window(item.window), first);
        EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
        EXPECT_TRUE(!first->isMinimized() && !first->parentWidget() && !first->isModal());  // modeless, no owner
        // Wider than the test screen or not, its title bar is on the screen.
        EXPECT_TRUE(first->screen()->availableGeometry().contains(first->frameGeometry().topLeft()));
        EXPECT_EQ(unnamedControls(first), "");
        area().newMoonField->setText(QStringLiteral("2026.03.19 02:23"));
    }
    // F10 is bound to nothing, and the hyphen item does nothing.
    messages->messages.clear();  // the journals are missing here
    const QList<QWidget*> before = QApplication::topLevelWidgets();
    press(Qt::Key_F10);
    action("dashesItem")->trigger();
    EXPECT_EQ(QApplication::topLevelWidgets(), before);
    expectNoMessage();
}

// A new sighting begins at the main window's observation time, and at the evening selected in the
// visibility window (its date, session and best time, and its place) from that window's button.
TEST_F(MainWindowTest, NewSightingsTakeTheObservationTimeAndTheVisibilityWindowsEvening)
{
    area().observationField->setText(QStringLiteral("2026.03.20 18:44"));
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_E);
    auto* sightings = static_cast<SightingsWindow*>(window->sideWindows().window(SideWindow::Sightings));
    ASSERT_NE(sightings, nullptr);
    const SightingForm& form = *sightings->form;
    EXPECT_EQ(form.dateField->date(), QDate(2026, 3, 20));
    EXPECT_EQ(form.timeField->text(), QStringLiteral("18:44"));
    EXPECT_EQ(form.sessionCombo->currentText(), QStringLiteral("este"));

    area().newMoonField->setText(QStringLiteral("2026.03.19 02:23"));
    press(Qt::CTRL | Qt::Key_H);
    auto* visibility = static_cast<VisibilityWindow*>(window->sideWindows().window(SideWindow::CrescentVisibility));
    ASSERT_NE(visibility, nullptr);
    // The last morning before the new moon, the second evening after.
    const struct { int row; const char* session; } rows[] = {{3, "reggel"}, {5, "este"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        visibility->crescentTable->selectRow(r.row);
        const astro::CrescentEvening& evening = *visibility->crescentTable->selected();
        visibility->recordSightingButton->click();
        EXPECT_EQ(form.dateField->date(), visibility->zone().at(evening.sunEvent).date());
        EXPECT_EQ(form.sessionCombo->currentText(), QString::fromUtf8(r.session));
        EXPECT_EQ(form.timeField->text(), visibility->zone().at(evening.best).toString(QStringLiteral("HH:mm")));
        EXPECT_EQ(form.placeNameField->text(), visibility->placePanel->place().name);
        EXPECT_FALSE(form.edited());
    }
    // An edited form is not dropped unasked: cancelled, it stays.
    sightings->form->observersField->setText(QStringLiteral("Kiss Éva"));
    messages->nextAnswer = SaveAnswer::Cancel;
    visibility->crescentTable->selectRow(4);
    visibility->recordSightingButton->click();
    EXPECT_EQ(messages->questions.size(), 1u);
    EXPECT_EQ(form.observersField->text(), QStringLiteral("Kiss Éva"));
    expectNoMessage();
}

// The crescent-visibility window shows the new moon of the "Utolsó Újhold" field as the field
// changes, edited to the end or set by the program, until the user steps to another new moon;
// the back button returns to the field's. A line says which new moon is shown and why.
TEST_F(MainWindowTest, VisibilityWindowFollowsTheNewMoonFieldUntilTheUserStepsAway)
{
    openWith("2026.03.19 02:23\r\n2026.04.17 13:52\r\n");
    area().newMoonField->setText(QStringLiteral("2026.03.19 03:00"));
    press(Qt::CTRL | Qt::Key_H);
    auto* shown = static_cast<VisibilityWindow*>(window->sideWindows().window(SideWindow::CrescentVisibility));
    ASSERT_NE(shown, nullptr);
    const auto inVisibility = [&](QKeyCombination key) {
        shown->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
        QTest::keyClick(shown, key.key(), key.keyboardModifiers());
    };
    const auto chooseListEntry = [&](int index) { area().newMoonList->setCurrentIndex(index); click("okButton"); };
    const auto clickIn = [](QPushButton* button) { return [button] { QTest::mouseClick(button, Qt::LeftButton); }; };
    // newMoon in Hungarian civil time.
    const struct Step { const char* what; std::function<void()> act; const char* newMoon; NewMoonReason reason; const char* says; }
        steps[] = {
        {"opened", [] {}, "2026.03.19 02:23", NewMoonReason::FromField, "az Utolsó Újhold mezőhöz legközelebbi újhold"},
        {"OK puts a list entry in the field", [&] { chooseListEntry(1); }, "2026.04.17 13:52", NewMoonReason::FromField, ""},
        {"typing, not finished", [&] { area().newMoonField->selectAll(); QTest::keyClicks(area().newMoonField, "2026.05.17 10:00"); },
         "2026.04.17 13:52", NewMoonReason::FromField, ""},
        {"typing finished with Enter", [&] { QTest::keyClick(area().newMoonField, Qt::Key_Return); }, "2026.05.16 22:01",
         NewMoonReason::FromField, ""},
        {"Page Down", [&] { inVisibility(Qt::Key_PageDown); }, "2026.06.15 04:54", NewMoonReason::Stepped, "léptetve"},
        {"the saved new moon restored, not followed", [&] { click("restoreNewMoonButton"); }, "2026.06.15 04:54",
         NewMoonReason::Stepped, ""},
        {"Page Up twice", [&] { inVisibility(Qt::Key_PageUp); inVisibility(Qt::Key_PageUp); }, "2026.04.17 13:52",
         NewMoonReason::Stepped, ""},
        {"back to the field's", clickIn(shown->backToFieldButton), "2026.04.17 13:52", NewMoonReason::FromField, ""},
        {"a date chosen", [&] { shown->newMoonDateField->setDate(QDate(2026, 2, 20)); emit shown->newMoonDateField->editingFinished(); },
         "2026.02.17 13:01", NewMoonReason::ChosenDate, "a(z) 2026.02.20 dátumhoz legközelebbi újhold"},
        {"the previous one", clickIn(shown->previousNewMoonButton), "2026.01.18 20:52", NewMoonReason::Stepped, ""},
        {"OK again, not followed", [&] { chooseListEntry(0); }, "2026.01.18 20:52", NewMoonReason::Stepped, ""},
        {"back", clickIn(shown->backToFieldButton), "2026.03.19 02:23", NewMoonReason::FromField, ""},
        {"a text that is no time changes nothing", [&] { area().newMoonField->setText(QStringLiteral("újhold")); },
         "2026.03.19 02:23", NewMoonReason::FromField, ""},
        {"the next", clickIn(shown->nextNewMoonButton), "2026.04.17 13:52", NewMoonReason::Stepped, ""},
        {"back with no valid field: the nearest now", clickIn(shown->backToFieldButton), "2026.12.09 01:52",
         NewMoonReason::NearestNow, "mostanihoz legközelebbi"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(presentation::dateTimeText(presentation::hungarianTime(), shown->newMoon()), QString::fromUtf8(step.newMoon));
        EXPECT_EQ(shown->newMoonReason(), step.reason);
        EXPECT_EQ(shown->backToFieldButton->isEnabled(), step.reason == NewMoonReason::Stepped ||
                                                            step.reason == NewMoonReason::ChosenDate);
        EXPECT_TRUE(shown->newMoonLabel->text().startsWith(QStringLiteral("Újhold: %1 (").arg(QString::fromUtf8(step.newMoon))));
        EXPECT_TRUE(shown->newMoonLabel->text().contains(QString::fromUtf8(step.says))) << shown->newMoonLabel->text().toStdString();
    }
    expectNoMessage();
}

// "Kilépés" closes only the main window; the program ends with its last window.
TEST_F(MainWindowTest, QuitLeavesSideWindowsOpenAndTheProgramEndsWithTheLast)
{
    action("calendarItem")->trigger();
    QPointer<QWidget> calendar = window->sideWindows().window(SideWindow::Calendar);
    ASSERT_FALSE(calendar.isNull());
    struct QuitCounter final : QObject {
        int quits = 0;
        bool eventFilter(QObject*, QEvent* event) override { quits += event->type() == QEvent::Quit; return false; }
    } counter;
    qApp->installEventFilter(&counter);
    // The program ends only from its event loop, so each step runs there.
    QTimer::singleShot(0, window.get(), [&] {
        press(Qt::CTRL | Qt::Key_Q);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(calendar->isVisible());
        // A quit posted by "Kilépés" would come before this.
        const auto thenCloseIt = [&] { EXPECT_EQ(counter.quits, 0); calendar->close(); };
        QMetaObject::invokeMethod(calendar.data(), thenCloseIt, Qt::QueuedConnection);
    });
    QTimer::singleShot(30000, &counter, [] { QCoreApplication::exit(2); });  // only against a hang
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(counter.quits, 1);
    expectNoMessage();  // nothing asked or saved on the way out
    EXPECT_FALSE(exists("ujhold.txt"));
}

// Under a dark desktop palette every widget of every window, the message box included, shows the
// colours it shows under the program's own: read back from the widgets' palettes, role by role.
TEST_F(MainWindowTest, EveryWindowKeepsItsColoursUnderADarkDesktop)
{
    writePicture("Lunar-day02s.gif", QSize(10, 10));
    // "window: class/name role colour" for a window and every widget in it.
    const auto coloursOf = [](QWidget* window, QStringList& out) {
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (const QWidget* w : widgets)
            for (int role = 0; role < QPalette::NColorRoles; ++role)
                out << QStringLiteral("%1: %2/%3 %4 %5")
                           .arg(window->objectName(), w->metaObject()->className(), w->objectName())
                           .arg(role)
                           .arg(w->palette().color(QPalette::ColorRole(role)).name());
    };
    // Every window built afresh: the main window, the moon map, each side window, a message box.
    const auto everyWindow = [&] {
        QStringList colours;
        openWith("");
        coloursOf(window.get(), colours);
        press(Qt::Key_F2);
        coloursOf(window->sideWindows().moonMap(), colours);
        window->sideWindows().moonMap()->close();
        for (const MenuItem& item : items) {
            action(item.action)->trigger();
            if (QWidget* side = window->sideWindows().window(item.window)) {
                coloursOf(side, colours);
                side->close();
            }
        }
        installMessageBoxSink();
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            box->setObjectName(QStringLiteral("message box"));
            coloursOf(box, colours);
            box->reject();
        });
        showMessage(QStringLiteral("Hiányzó fájl"), MessageIcon::Error);
        setMessageSink(messages);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        messages->messages.clear();  // the journals and lists are missing here
        return colours;
    };
    const QStringList own = everyWindow();
    const QPalette programs = QApplication::palette();
    QPalette dark(QColor(0x30, 0x30, 0x30));  // every role made from a dark face
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Highlight, QColor(0xFF, 0x00, 0xFF));
    QApplication::setPalette(dark);
    const QStringList underDark = everyWindow();
    QApplication::setPalette(programs);

    ASSERT_EQ(underDark.size(), own.size());
    QStringList changed;
    for (qsizetype i = 0; i < own.size(); ++i)
        if (underDark[i] != own[i])
            changed << underDark[i] + QStringLiteral(" (own ") + own[i].section(u' ', -1) + u')';
    EXPECT_EQ(changed.join(u'\n').toStdString(), "");
}

// The real boxes: each question takes the answer of the button clicked; Escape gives its last
// (no, cancel), Enter its default, which never loses a text unasked.
TEST_F(MainWindowTest, QuestionBoxesAnswerByTheirButtonsEscapeAndEnter)
{
    installMessageBoxSink();
    const auto answer = [](const char* caption, Qt::Key key) {
        QTimer::singleShot(0, [caption, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton* button : box->buttons())
                if (*caption && button->text() == QString::fromUtf8(caption))
                    return button->click();
            QTest::keyClick(box, key);
        });
    };
    // caption empty: the key.
    const struct { const char* question; const char* caption; Qt::Key key; int answer; } cases[] = {
        {"save", "Mentés", Qt::Key_unknown, int(SaveAnswer::Save)},
        {"save", "Elvetés", Qt::Key_unknown, int(SaveAnswer::Discard)},
        {"save", "", Qt::Key_Escape, int(SaveAnswer::Cancel)},
        {"save", "", Qt::Key_Return, int(SaveAnswer::Save)},
        {"changed", "Felülírás", Qt::Key_unknown, int(ChangedFileAnswer::KeepMine)},
        {"changed", "Újratöltés", Qt::Key_unknown, int(ChangedFileAnswer::TakeTheirs)},
        {"changed", "", Qt::Key_Escape, int(ChangedFileAnswer::Cancel)},
        {"changed", "", Qt::Key_Return, int(ChangedFileAnswer::Cancel)},
        {"confirm", "Igen", Qt::Key_unknown, 1},
        {"confirm", "", Qt::Key_Escape, 0},
        {"confirm", "", Qt::Key_Return, 0},
    };
    for (const auto& c : cases) {
        answer(c.caption, c.key);
        const QString question = QString::fromLatin1(c.question);
        const int given = question == u"save"      ? int(askToSave(QStringLiteral("Mentsem?")))
                          : question == u"changed" ? int(askAboutChangedFile(QStringLiteral("Megváltozott.")))
                                                   : int(confirm(QStringLiteral("Biztos?")));
        EXPECT_EQ(given, c.answer) << c.question << " " << c.caption << " " << c.key;
    }
    setMessageSink(messages);
}

} // namespace
} // namespace vkt::testing
