#include "common/CLocale.h"

#include <stdexcept>

locale_t CLocale() {
    static const locale_t cLocale = [] {
        const locale_t created = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        if (created == static_cast<locale_t>(nullptr)) {
            throw std::runtime_error("The C locale cannot be created");
        }
        return created;
    }();
    return cLocale;
}
