#pragma once

#include "core/Services.h"

namespace kx::win {

class SystemClock : public Clock {
  public:
    LocalTime now() const override;
};

// Opens documents and web addresses with the program Windows assigns to them.
class DesktopShell : public kx::DesktopShell {
  public:
    // False when Windows has no program for it (ShellExecuteW reports 32 or less).
    bool openAddress(const std::string& address) override;
};

}  // namespace kx::win
