#include "windows/common/QtMessageBox.h"

#include "services/Messages.h"
#include "windows/common/WindowLook.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <initializer_list>
#include <vector>

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
        // No is the default: nothing is done by a stray Enter.
        return ask(QMessageBox::Question, text, {"Igen", "Nem"}, 1) == 0;
    }

private:
    // A question whose last button says no or cancel (so do Escape and the close box), the first
    // yes or go ahead, any between another way on: the index of the one chosen.
    static int ask(QMessageBox::Icon icon, const QString& text, std::initializer_list<const char*> captions,
                   int defaultButton)
    {
        QMessageBox box(icon, QStringLiteral("VKT"), text, QMessageBox::NoButton, QApplication::activeWindow());
        std::vector<QPushButton*> buttons;
        for (const char* caption : captions) {
            const bool last = buttons.size() + 1 == captions.size();
            const QMessageBox::ButtonRole role = buttons.empty() ? QMessageBox::AcceptRole
                                                 : last          ? QMessageBox::RejectRole
                                                                 : QMessageBox::DestructiveRole;
            buttons.push_back(box.addButton(QString::fromUtf8(caption), role));
        }
        box.setPalette(programPalette());
        box.setDefaultButton(buttons[size_t(defaultButton)]);
        box.setEscapeButton(buttons.back());
        box.exec();
        const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
        return int((chosen == buttons.end() ? buttons.end() - 1 : chosen) - buttons.begin());
    }
};

} // namespace

void installMessageBoxSink()
{
    setMessageSink(std::make_shared<QtMessageBoxSink>());
}

} // namespace vkt
