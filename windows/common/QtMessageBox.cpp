#include "windows/common/QtMessageBox.h"

#include "services/Messages.h"
#include "windows/common/WindowLook.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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
        QMessageBox box(QMessageBox::Question, QStringLiteral("VKT"), text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        QPushButton* save = box.addButton(QStringLiteral("Mentés"), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(QStringLiteral("Elvetés"), QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QStringLiteral("Mégse"), QMessageBox::RejectRole);
        box.setPalette(programPalette());
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save)
            return SaveAnswer::Save;
        if (box.clickedButton() == discard)
            return SaveAnswer::Discard;
        return SaveAnswer::Cancel;
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
};

} // namespace

void installMessageBoxSink()
{
    setMessageSink(std::make_shared<QtMessageBoxSink>());
}

} // namespace vkt
