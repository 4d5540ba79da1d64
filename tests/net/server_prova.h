#pragma once
// An HTTP server on 127.0.0.1 for one test: routes are added, then avvia() starts it on an
// ephemeral port in its own thread; the destructor stops it. Handlers that wait do so in short
// bounded steps and end as soon as the test is over.
#include <httplib.h>

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

// A port on 127.0.0.1 where nothing listens: a test server's, once it has stopped, so a
// connection to it is refused straight away.
inline int PortaChiusa() {
    ServerProva chiuso;
    return chiuso.avvia() ? chiuso.porta() : 0;
}

}  // namespace novanta::test
