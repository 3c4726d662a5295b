#include "core/Program.h"

namespace kx {

const char* const VERSION_TEXT = "Kartotrix v" KARTOTRIX_VERSION;

LocalTime Program::now() const {
    return services.clock ? services.clock->now() : LocalTime{};
}

int Program::secondsSinceMidnight() const {
    return now().secondsSinceMidnight();
}

}  // namespace kx
