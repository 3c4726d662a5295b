#include "net/NetPhoneView.h"

namespace kx {

namespace {
// The port tried first, so that a table finds the same one again; any free
// one when it is taken.
constexpr int PREFERRED_PORT = 8765;
}  // namespace

std::string NetPhoneView::switchOn(std::string& error) {
    const std::string address = localNetworkAddress();
    if (address.empty()) {
        error = "Dieser Rechner ist mit keinem lokalen Netz verbunden.";
        return "";
    }
    if (!server_.start(address, PREFERRED_PORT, PhoneLimits{}, error) &&
        !server_.start(address, 0, PhoneLimits{}, error))
        return "";
    return server_.url(address);
}

}  // namespace kx
