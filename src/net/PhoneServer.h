#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kx {

// What a phone may ask of the server; beyond it the request is refused or
// the connection closed, so that no phone can hold up the program.
struct PhoneLimits {
    std::size_t maxRequestBytes = 8192;  // the request line and every header line, and a body
    std::size_t maxHeaders = 32;
    std::size_t threads = 4;     // requests served at once; more wait their turn
    int readTimeoutSeconds = 3;  // a client that sends nothing for so long is dropped
    int requestsPerSecond = 20;  // per client address
};

// The read-only web server of the phone view. It runs on threads of its own
// and answers GET of the page ("/TOKEN/") and of the state ("/TOKEN/state.json")
// with 200; every other path, method or token gets 404 alike. The state is a
// snapshot handed over by publish().
class PhoneServer {
  public:
    PhoneServer();
    ~PhoneServer();  // stops
    PhoneServer(const PhoneServer&) = delete;
    PhoneServer& operator=(const PhoneServer&) = delete;

    // Listens on `address` (port 0: one the system picks) with a new token.
    // False with the reason in German when it cannot.
    bool start(const std::string& address, int port, const PhoneLimits& limits, std::string& error);
    // Closes the port and waits for the server's threads; nothing listens after it.
    void stop();
    bool running() const;
    int port() const;
    const std::string& token() const;
    // The whole address for a browser: "http://192.168.1.20:8080/TOKEN/".
    std::string url(const std::string& host) const;
    void publish(std::string json);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// 128 random bits from the system's random source as 32 hex digits; empty
// when the system gave none.
std::string randomToken();

// The computer's address in the local network: a private IPv4 address of an
// interface that is up, else its first other address that is neither
// loopback nor link-local; empty when it has none.
std::string localNetworkAddress();

// The QR code of `text` as rows of modules (true: dark), without the quiet
// zone; empty when the text does not fit a code.
std::vector<std::vector<bool>> qrModules(const std::string& text);

// The web page: board and whole pad on two tabs, fetched as JSON every second.
const std::string& phonePage();

}  // namespace kx
