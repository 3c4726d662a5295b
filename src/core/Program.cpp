#include "core/Program.h"

namespace kx {

LocalTime Program::now() const {
    return services.clock ? services.clock->now() : LocalTime{};
}

int Program::secondsSinceMidnight() const {
    return now().secondsSinceMidnight();
}

}  // namespace kx
