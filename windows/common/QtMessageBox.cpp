#include "windows/common/QtMessageBox.h"

#include "services/Messages.h"
#include "windows/common/WindowLook.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <array>

namespace vkt {
namespace {

class QtMessageBoxSink final : public MessageSink {
public:
    void show(const QString& text, MessageIcon icon) override
    {
        QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Warning,
                        QStringLiteral("VKT"), text, QMessageBox::Ok, QApplication::activeWindow());
        box.setPalette(programPalette());  // a box is a window of its own, outside its parent's colours
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }

    SaveAnswer askToSave(const QString& text) override
    {
        constexpr SaveAnswer answers[] = {SaveAnswer::Save, SaveAnswer::Discard, SaveAnswer::Cancel};
        return answers[ask(QMessageBox::Question, text, {"Mentés", "Elvetés", "Mégse"}, 0)];
    }

    ChangedFileAnswer askAboutChangedFile(const QString& text) override
    {
        constexpr ChangedFileAnswer answers[] = {ChangedFileAnswer::KeepMine, ChangedFileAnswer::TakeTheirs,
                                                 ChangedFileAnswer::Cancel};
        // Cancel is the default: neither text is lost by a stray Enter.
        return answers[ask(QMessageBox::Warning, text, {"Felülírás", "Újratöltés", "Mégse"}, 2)];
    }

    bool confirm(const QString& text) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("VKT"), text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        QPushButton* yes = box.addButton(QStringLiteral("Igen"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Nem"), QMessageBox::NoRole);
        box.setPalette(programPalette());
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }

private:
    // A question with three buttons, the last of them "cancel" (also Escape and the close box): the
    // index of the one chosen.
    static int ask(QMessageBox::Icon icon, const QString& text, const std::array<const char*, 3>& captions,
                   int defaultButton)
    {
        QMessageBox box(icon, QStringLiteral("VKT"), text, QMessageBox::NoButton, QApplication::activeWindow());
        const QMessageBox::ButtonRole roles[] = {QMessageBox::AcceptRole, QMessageBox::DestructiveRole,
                                                 QMessageBox::RejectRole};
        std::array<QPushButton*, 3> buttons{};
        for (size_t i = 0; i < buttons.size(); ++i)
            buttons[i] = box.addButton(QString::fromUtf8(captions[i]), roles[i]);
        box.setPalette(programPalette());
        box.setDefaultButton(buttons[size_t(defaultButton)]);
        box.setEscapeButton(buttons[2]);
        box.exec();
        const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
        return chosen == buttons.end() ? 2 : int(chosen - buttons.begin());
    }
};

} // namespace

void installMessageBoxSink()
{
    setMessageSink(std::make_shared<QtMessageBoxSink>());
}

} // namespace vkt
