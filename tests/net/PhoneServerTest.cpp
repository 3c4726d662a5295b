// The phone view's server over real HTTP on the loopback address.
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "net/PhoneServer.h"

namespace kx {
namespace {

const std::string LOOPBACK = "127.0.0.1";

struct Running {
    PhoneServer server;
    explicit Running(PhoneLimits limits = {}) {
        std::string error;
        EXPECT_TRUE(server.start(LOOPBACK, 0, limits, error)) << error;
        server.publish("{\"board\":{\"players\":[{\"name\":\"Anna\",\"total\":25}]}}");
    }
    httplib::Client client() const {
        httplib::Client c(LOOPBACK, server.port());
        c.set_read_timeout(5, 0);
        return c;
    }
    std::string base() const { return "/" + server.token() + "/"; }
};

// A raw connection for what no well-behaved client sends.
int connectTo(int port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(s);
        return -1;
    }
    return s;
}

TEST(PhoneServer, ServesThePageAndTheStateUnderItsToken) {
    Running r;
    EXPECT_EQ(r.server.token().size(), 32u);
    EXPECT_EQ(r.server.url("192.168.1.20"),
              "http://192.168.1.20:" + std::to_string(r.server.port()) + r.base());
    auto c = r.client();
    const auto page = c.Get(r.base());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(page->body.find("state.json"), std::string::npos);
    r.server.publish("{\"x\":1}");
    const auto state = c.Get(r.base() + "state.json");
    ASSERT_TRUE(state);
    EXPECT_EQ(state->status, 200);
    EXPECT_EQ(state->body, "{\"x\":1}");
    EXPECT_EQ(state->get_header_value("Cache-Control"), "no-store");
    // Every start draws a new token.
    const std::string first = r.server.token();
    std::string error;
    ASSERT_TRUE(r.server.start(LOOPBACK, 0, {}, error));
    EXPECT_NE(r.server.token(), first);
}

TEST(PhoneServer, AnythingButTheTokensTwoPathsIsTheSame404) {
    Running r;
    const std::string t = r.server.token();
    std::string close = t;
    close.back() = close.back() == '0' ? '1' : '0';
    auto c = r.client();
    for (const std::string& path :
         {std::string("/"), std::string("/state.json"), "/" + t, "/" + close + "/",
          "/" + close + "/state.json", "/" + t + "/../state.json", "/" + t + "/index.html",
          "/" + t + "/state.json/x", "/" + t.substr(0, 31) + "/"}) {
        const auto res = c.Get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->status, 404) << path;
        EXPECT_EQ(res->body, "") << path;
    }
    for (const auto& res :
         {c.Post(r.base(), "x", "text/plain"), c.Put(r.base() + "state.json", "x", "text/plain"),
          c.Delete(r.base())}) {
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 404);
    }
}

TEST(PhoneServer, RefusesTooLargeRequestsAndDropsSlowClients) {
    PhoneLimits limits;
    limits.readTimeoutSeconds = 1;
    Running r(limits);
    auto c = r.client();
    const auto longPath = c.Get(r.base() + std::string(20000, 'a'));
    ASSERT_TRUE(longPath);
    EXPECT_EQ(longPath->status, 414);
    httplib::Headers many;
    for (int i = 0; i < 40; ++i)
        many.emplace("X-Kopf-" + std::to_string(i), "1");
    const auto headers = c.Get(r.base(), many);
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->status, 431);
    // A body is never read: no route takes one.
    const auto body = c.Post(r.base(), std::string(100000, 'x'), "text/plain");
    ASSERT_TRUE(body);
    EXPECT_EQ(body->status, 404);

    // Half a request, then nothing: after its time-out the server refuses the
    // request and hangs up.
    const int s = connectTo(r.server.port());
    ASSERT_GE(s, 0);
    const std::string half = "GET " + r.base() + " HTTP/1.1\r\nHost: x\r\n";
    ASSERT_EQ(send(s, half.data(), half.size(), 0), static_cast<ssize_t>(half.size()));
    timeval wait{5, 0};
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    std::string answer;
    char buffer[256];
    for (ssize_t got; (got = recv(s, buffer, sizeof buffer, 0)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    close(s);
    EXPECT_TRUE(answer.empty() || answer.starts_with("HTTP/1.1 4")) << answer;
    // And the server still answers others.
    const auto after = c.Get(r.base() + "state.json");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->status, 200);
}

TEST(PhoneServer, LimitsTheRatePerAddress) {
    PhoneLimits limits;
    limits.requestsPerSecond = 5;
    Running r(limits);
    auto c = r.client();
    int refused = 0;
    for (int i = 0; i < 12; ++i) {
        const auto res = c.Get(r.base() + "state.json");
        ASSERT_TRUE(res);
        refused += res->status == 429;
    }
    EXPECT_GE(refused, 1);
}

TEST(PhoneServer, TwoHundredClientsAtOnceAndTheServerStillAnswers) {
    PhoneLimits limits;
    limits.requestsPerSecond = 1000000;  // all of them come from one address here
    Running r(limits);
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0}, failed{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 200; ++i)
        clients.emplace_back([&] {
            auto c = r.client();
            while (!stop) {
                const auto res = c.Get(r.base() + "state.json");
                (res && res->status == 200 ? answered : failed)++;
            }
        });
    // Meanwhile the program hands over new states and a new client is served.
    for (int i = 0; i < 15; ++i) {
        r.server.publish("{\"n\":" + std::to_string(i) + "}");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    auto c = r.client();
    c.set_read_timeout(10, 0);
    const auto res = c.Get(r.base() + "state.json");
    stop = true;
    for (std::thread& t : clients)
        t.join();
    ASSERT_TRUE(res);
    EXPECT_EQ(res->body, "{\"n\":14}");
    EXPECT_GT(answered.load(), 200);
    r.server.stop();
}

TEST(PhoneServer, SwitchingOffClosesThePortAtOnce) {
    Running r;
    const int port = r.server.port();
    const int open = connectTo(port);
    EXPECT_GE(open, 0);
    if (open >= 0) close(open);
    r.server.stop();
    EXPECT_FALSE(r.server.running());
    EXPECT_EQ(connectTo(port), -1);
}

TEST(PhoneServer, QrCodeAndToken) {
    const auto code = qrModules("http://192.168.1.20:8765/0123456789abcdef0123456789abcdef/");
    ASSERT_GE(code.size(), 21u);
    EXPECT_EQ(code.size(), code.front().size());
    // The finder pattern's dark corner.
    EXPECT_TRUE(code[0][0] && code[0][6] && code[6][0] && !code[1][1]);
    EXPECT_NE(randomToken(), randomToken());
}

// The page as a phone of 360 pixels' width shows it, in headless chromium.
TEST(PhonePage, ChromiumAt360PixelsShowsTheTotals) {
    const char* candidates[] = {"/usr/bin/chromium", "/usr/bin/chromium-browser"};
    std::string browser;
    for (const char* path : candidates)
        if (access(path, X_OK) == 0) browser = path;
    if (browser.empty())
        GTEST_SKIP() << "chromium fehlt: die Seite wird nicht im Browser geprueft.";
    Running r;
    r.server.publish(
        "{\"board\":{\"padOpen\":true,\"players\":[{\"name\":\"Anna\",\"total\":25,\"place\":\"1."
        "\","
        "\"colour\":\"#8cff8c\",\"deals\":false,\"sitsOut\":false,\"solosLeft\":0},{\"name\":"
        "\"Bert\",\"total\":-25,\"place\":\"2.\",\"colour\":\"#ff8c8c\",\"deals\":true,"
        "\"sitsOut\":false,\"solosLeft\":1}],\"progress\":\"Spiel 17 von 30\",\"dealer\":\"Geber: "
        "Bert\",\"sitsOut\":\"\",\"bock\":\"\",\"lastGame\":\"Spiel 16: Anna allein gewinnt 3\"},"
        "\"pad\":null}");
    const std::string out = testing::TempDir() + "phone-dom.html";
    const std::string command = browser +
                                " --headless --no-sandbox --disable-gpu --window-size=360,740 "
                                "--virtual-time-budget=4000 --dump-dom http://" +
                                LOOPBACK + ":" + std::to_string(r.server.port()) + r.base() +
                                " > " + out + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(out);
    const std::string dom((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* shown : {"Spiel 17 von 30", ">Anna<", ">25<", ">-25<", "Geber: Bert",
                              "Zuletzt: Spiel 16: Anna allein gewinnt 3"})
        EXPECT_NE(dom.find(shown), std::string::npos) << shown;
}

}  // namespace
}  // namespace kx
