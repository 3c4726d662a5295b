// What the phone view asks of the operating system: random bits for the
// token and the computer's address in the local network.
#include <cstdio>
#include <string>

#include "net/PhoneServer.h"

#ifdef _WIN32
#include <bcrypt.h>
#include <iphlpapi.h>
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/random.h>
#endif

namespace kx {

std::string randomToken() {
    unsigned char bytes[16];
#ifdef _WIN32
    if (BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0)
        return "";
#else
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
        if (n <= 0) return "";
        got += static_cast<std::size_t>(n);
    }
#endif
    std::string hex;
    for (unsigned char b : bytes) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", b);
        hex += two;
    }
    return hex;
}

namespace {

std::string dotted(const in_addr& a) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

// 10/8, 172.16/12 and 192.168/16: the addresses of home and office networks.
bool privateAddress(unsigned long hostOrder) {
    return (hostOrder >> 24) == 10 || (hostOrder >> 20) == 0xAC1 || (hostOrder >> 16) == 0xC0A8;
}

// Loopback and link-local (169.254/16) addresses reach no phone.
bool reachable(unsigned long hostOrder) {
    return (hostOrder >> 24) != 127 && (hostOrder >> 16) != 0xA9FE && hostOrder != 0;
}

// A private address is preferred; another network's own address serves when
// there is none.
void consider(const in_addr& a, std::string& privateOne, std::string& other) {
    const unsigned long host = ntohl(a.s_addr);
    if (privateAddress(host) && privateOne.empty()) privateOne = dotted(a);
    if (reachable(host) && other.empty()) other = dotted(a);
}

}  // namespace

std::string localNetworkAddress() {
#ifdef _WIN32
    ULONG size = 16 * 1024;
    std::string buffer(size, '\0');
    auto* list = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    if (GetAdaptersAddresses(AF_INET, GAA_FLAG_SKIP_DNS_SERVER, nullptr, list, &size) != NO_ERROR)
        return "";
    std::string privateOne, other;
    for (auto* a = list; a; a = a->Next) {
        if (a->OperStatus != IfOperStatusUp) continue;
        for (auto* u = a->FirstUnicastAddress; u; u = u->Next)
            consider(reinterpret_cast<const sockaddr_in*>(u->Address.lpSockaddr)->sin_addr,
                     privateOne, other);
    }
    return privateOne.empty() ? other : privateOne;
#else
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return "";
    std::string privateOne, other;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
        if (!(a->ifa_flags & IFF_UP) || (a->ifa_flags & IFF_LOOPBACK)) continue;
        consider(reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr, privateOne, other);
    }
    freeifaddrs(list);
    return privateOne.empty() ? other : privateOne;
#endif
}

}  // namespace kx
