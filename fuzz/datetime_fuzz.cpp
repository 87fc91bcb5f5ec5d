// toDateTime on any text; every accepted text comes back from DateTimeText as the same value.
#include "fuzz/FuzzCheck.h"
#include "services/DateTime.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<vkt::DateTime> value = vkt::toDateTime(text);
    if (!value)
        return 0;
    FUZZ_CHECK(std::isfinite(*value));
    const QString written = vkt::DateTimeText(*value);
    const std::optional<vkt::DateTime> back = vkt::toDateTime(written);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(std::llround(*back * 86400) == std::llround(*value * 86400));
    FUZZ_CHECK(vkt::DateTimeText(*back) == written);
    // Blanks, CR and LF around a text change nothing.
    FUZZ_CHECK(vkt::toDateTime(QStringLiteral(" \r\n") + text + QStringLiteral("\r\n ")) == value);
    return 0;
}
