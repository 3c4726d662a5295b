#pragma once

#include "net/PhoneServer.h"
#include "view/BoardCommands.h"

namespace kx {

// The phone view on the computer's local network address, the same for
// every skin.
class NetPhoneView : public PhoneView {
  public:
    std::string switchOn(std::string& error) override;
    void switchOff() override { server_.stop(); }
    void publish(const std::string& json) override { server_.publish(json); }

  private:
    PhoneServer server_;
};

}  // namespace kx
