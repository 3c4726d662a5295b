#include "net/PhoneServer.h"

#include <httplib.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace kx {

namespace {

using Clock = std::chrono::steady_clock;

// Requests per client address within the current second.
class RateLimit {
  public:
    explicit RateLimit(int perSecond) : perSecond_(perSecond) {}
    bool allow(const std::string& address) {
        const std::lock_guard lock(mutex_);
        const auto now = Clock::now();
        if (now - windowStart_ >= std::chrono::seconds(1)) {
            counts_.clear();
            windowStart_ = now;
        }
        return ++counts_[address] <= perSecond_;
    }

  private:
    int perSecond_;
    std::mutex mutex_;
    Clock::time_point windowStart_ = Clock::now();
    std::map<std::string, int> counts_;
};

}  // namespace

struct PhoneServer::Impl {
    httplib::Server server;
    std::thread thread;
    std::string token;
    int port = 0;
    std::unique_ptr<RateLimit> rate;
    std::mutex snapshotMutex;
    std::shared_ptr<const std::string> snapshot = std::make_shared<const std::string>("{}");

    std::shared_ptr<const std::string> state() {
        const std::lock_guard lock(snapshotMutex);
        return snapshot;
    }
};

PhoneServer::PhoneServer() = default;

PhoneServer::~PhoneServer() {
    stop();
}

bool PhoneServer::start(const std::string& address, int port, const PhoneLimits& limits,
                        std::string& error) {
    stop();
    const std::string token = randomToken();
    if (token.empty()) {
        error = "Das System liefert keine Zufallszahlen f\xC3\xBCr die Adresse.";
        return false;
    }
    auto impl = std::make_unique<Impl>();
    impl->token = token;
    impl->rate = std::make_unique<RateLimit>(limits.requestsPerSecond);
    Impl* self = impl.get();
    httplib::Server& s = impl->server;
    const std::size_t threads = limits.threads;
    s.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    s.set_payload_max_length(limits.maxRequestBytes);
    s.set_read_timeout(limits.readTimeoutSeconds, 0);
    s.set_write_timeout(limits.readTimeoutSeconds, 0);
    // One request per connection: a phone that polls every second would
    // otherwise hold one of the few threads for as long as it keeps polling.
    s.set_keep_alive_max_count(1);
    const std::size_t maxHeaders = limits.maxHeaders;
    // Too many headers, too many requests from one address, anything but GET:
    // answered before any route sees the request.
    s.set_pre_routing_handler(
        [self, maxHeaders](const httplib::Request& req, httplib::Response& res) {
            if (req.headers.size() > maxHeaders) {
                res.status = 431;
                return httplib::Server::HandlerResponse::Handled;
            }
            if (!self->rate->allow(req.remote_addr)) {
                res.status = 429;
                res.set_header("Retry-After", "1");
                return httplib::Server::HandlerResponse::Handled;
            }
            if (req.method != "GET") {
                res.status = 404;
                return httplib::Server::HandlerResponse::Handled;
            }
            return httplib::Server::HandlerResponse::Unhandled;
        });
    const std::string base = "/" + token + "/";
    s.Get(base, [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_header("Referrer-Policy", "no-referrer");
        res.set_content(phonePage(), "text/html; charset=utf-8");
    });
    s.Get(base + "state.json", [self](const httplib::Request&, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_content(*self->state(), "application/json; charset=utf-8");
    });
    // Every other path, a wrong token included, gets the same empty 404.
    s.set_error_handler(
        [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
    impl->port =
        port == 0 ? s.bind_to_any_port(address) : (s.bind_to_port(address, port) ? port : -1);
    if (impl->port <= 0) {
        error = "Kein Port auf " + address + " frei.";
        return false;
    }
    impl->thread = std::thread([self] { self->server.listen_after_bind(); });
    // stop() only reaches a server whose accept loop runs.
    for (int i = 0; i < 1000 && !impl->server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    impl_ = std::move(impl);
    return true;
}

void PhoneServer::stop() {
    if (!impl_) return;
    impl_->server.stop();
    if (impl_->thread.joinable()) impl_->thread.join();
    impl_.reset();
}

bool PhoneServer::running() const {
    return impl_ != nullptr;
}

int PhoneServer::port() const {
    return impl_ ? impl_->port : 0;
}

const std::string& PhoneServer::token() const {
    static const std::string none;
    return impl_ ? impl_->token : none;
}

std::string PhoneServer::url(const std::string& host) const {
    if (!impl_) return "";
    return "http://" + host + ":" + std::to_string(impl_->port) + "/" + impl_->token + "/";
}

void PhoneServer::publish(std::string json) {
    if (!impl_) return;
    auto next = std::make_shared<const std::string>(std::move(json));
    const std::lock_guard lock(impl_->snapshotMutex);
    impl_->snapshot = std::move(next);
}

}  // namespace kx
