#include "windows/common/Guarded.h"

#include "astro/Error.h"
#include "presentation/Failures.h"
#include "services/Failure.h"
#include "services/Messages.h"

#include <QString>

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
    } catch (const std::exception& e) {
        showMessage(QStringLiteral("Váratlan hiba: %1").arg(QString::fromLocal8Bit(e.what())), MessageIcon::Error);
    }
    return false;
}

} // namespace vkt
