#include "app/DecimalSeparator.h"

#include <langinfo.h>
#include <locale.h>

namespace vantrel {

std::string UserRadixText() {
    locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return ".";
    std::string_view radix = ::nl_langinfo_l(RADIXCHAR, loc);
    std::string text(radix.empty() ? std::string_view(".") : radix);
    ::freelocale(loc);
    return text;
}

void ApplyRadixText(NumberFormat& format, std::string_view radix) {
    if (radix.starts_with(',')) format.DecimalSeparatorText = std::string(1, ',');
}

}  // namespace vantrel
