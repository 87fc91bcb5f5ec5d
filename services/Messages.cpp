#include "services/Messages.h"

#include <cstdio>

namespace vkt {
namespace {
std::shared_ptr<MessageSink>& installedSink()
{
    static std::shared_ptr<MessageSink> sink;
    return sink;
}
} // namespace

void showMessage(const QString& text, MessageIcon icon)
{
    if (auto sink = installedSink()) {
        sink->show(text, icon);
        return;
    }
    std::fprintf(stderr, "VKT [%d]: %s\n", int(icon), text.toLocal8Bit().constData());
}

SaveAnswer askToSave(const QString& text)
{
    if (auto sink = installedSink())
        return sink->askToSave(text);
    return SaveAnswer::Cancel;
}

bool confirm(const QString& text)
{
    if (auto sink = installedSink())
        return sink->confirm(text);
    return false;
}

ChangedFileAnswer askAboutChangedFile(const QString& text)
{
    if (auto sink = installedSink())
        return sink->askAboutChangedFile(text);
    return ChangedFileAnswer::Cancel;
}

void setMessageSink(std::shared_ptr<MessageSink> sink)
{
    installedSink() = std::move(sink);
}

} // namespace vkt
