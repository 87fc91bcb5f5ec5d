#include "windows/common/Guarded.h"

#include "astro/Error.h"
#include "presentation/Failures.h"
#include "services/Failure.h"
#include "services/Messages.h"

#include <QString>
#include <new>

namespace vkt {

bool guarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const Failure& failure) {
        showMessage(failure.message(), MessageIcon::Error);
    } catch (const astro::Error& error) {
        showMessage(presentation::failureText(error), MessageIcon::Error);
    } catch (const std::bad_alloc&) {
        showMessage(QStringLiteral("Váratlan hiba: elfogyott a memória, a művelet nem fejeződött be."), MessageIcon::Error);
    } catch (const std::exception& e) {
        // The library's own (English) words only in brackets, for a bug report.
        showMessage(QStringLiteral("Váratlan hiba: a program belső hibája (%1).").arg(QString::fromLocal8Bit(e.what())),
                    MessageIcon::Error);
    }
    return false;
}

} // namespace vkt
