#pragma once
// An HTTP server on 127.0.0.1 for one test: routes are added, then avvia() starts it on an
// ephemeral port in its own thread; the destructor stops it. Handlers that wait do so in short
// bounded steps and end as soon as the test is over.
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace novanta::test {

class ServerProva {
public:
    ServerProva() = default;
    ~ServerProva() {
        finito = true;
        server.stop();
        if (thread_.joinable()) thread_.join();
    }
    ServerProva(const ServerProva&) = delete;
    ServerProva& operator=(const ServerProva&) = delete;

    bool avvia() {
        porta_ = server.bind_to_any_port("127.0.0.1");
        if (porta_ <= 0) return false;
        thread_ = std::thread([this] { server.listen_after_bind(); });
        for (int i = 0; i < 500 && !server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return server.is_running();
    }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(porta_); }
    std::string url(const std::string& percorso) const { return base() + percorso; }
    int porta() const { return porta_; }

    // Waits up to `secondi` or until the test ends, whichever comes first.
    void attendi(double secondi) const {
        const auto fine = std::chrono::steady_clock::now() + std::chrono::duration<double>(secondi);
        while (!finito && std::chrono::steady_clock::now() < fine)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    httplib::Server server;
    std::atomic<bool> finito{false};

private:
    int porta_ = 0;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens: bound without listening and released at once, so
// a connection to it is refused straight away.
inline int PortaChiusa() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof(a);
    int porta = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n) == 0)
        porta = ntohs(a.sin_port);
    ::close(fd);
    return porta;
}

}  // namespace novanta::test
