#include "QtMessageBox.h"

#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace vkt {
namespace {

class QtMessageBoxSink final : public MessageSink {
public:
    void show(const QString& text, MessageIcon icon) override
    {
        QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Warning,
                        QStringLiteral("VKT"), text, QMessageBox::Ok, QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }
};

} // namespace

void installMessageBoxSink()
{
    setMessageSink(std::make_shared<QtMessageBoxSink>());
}

} // namespace vkt
