// A real Hamlib daemon (rigctld, rotctld) on a free loopback port, started and ended by
// the test through its own PID, and asked over Hamlib's network protocol. The address is
// 127.0.0.1, not localhost: a bare system without /etc/hosts cannot resolve that.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace selvora::testing {

// A port nothing listens on now: the kernel's choice for a socket bound to port 0.
inline int freeLocalPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(s);
    return ntohs(address.sin_port);
}

inline bool acceptsConnections(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

class HamlibDaemon {
  public:
    // `command` is the daemon and its arguments, less the address and port.
    HamlibDaemon(std::vector<std::string> command, int port)
        : command_(std::move(command)), port_(port) {
        start();
    }
    ~HamlibDaemon() { kill(); }
    HamlibDaemon(const HamlibDaemon&) = delete;
    HamlibDaemon& operator=(const HamlibDaemon&) = delete;

    bool start() {
        std::vector<std::string> args = command_;
        args.insert(args.end(), {"-T", "127.0.0.1", "-t", std::to_string(port_)});
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) pid_ = -1;
        for (int i = 0; i < 200 && pid_ > 0; ++i) {
            if (acceptsConnections(port_)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }

    // As a crash or a pulled plug would: no goodbye to the clients.
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    bool running() const { return pid_ > 0; }
    int port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

    // The daemon's answers to `commands` ({"f VFOA", "s VFOA"}, {"p"}), one value a line
    // as rigctl and rotctl print them (a split read gives two: split, Tx VFO), and
    // "RPRT n" for a refusal. Asked over the daemon's own protocol, not through rigctl,
    // whose output differs between Hamlib releases (4.6 prints a banner first). None
    // while the daemon is away.
    std::vector<std::string> ask(const std::vector<std::string>& commands) const {
        // rigctld now and then resets a connection it has just accepted (seen with
        // Hamlib 4.5 beside a NET rigctl client): ask again on a fresh one.
        for (int attempt = 0; attempt < 3; ++attempt)
            if (auto values = askOnce(commands)) return *values;
        return {};
    }

  private:
    // None when the connection failed before every command was answered.
    std::optional<std::vector<std::string>> askOnce(
        const std::vector<std::string>& commands) const {
        std::vector<std::string> values;
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        const timeval wait{.tv_sec = 5, .tv_usec = 0};
        ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(static_cast<std::uint16_t>(port_));
        if (::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
            ::close(s);
            return std::nullopt;
        }
        std::string unread;
        for (const std::string& command : commands) {
            // "+" asks for the extended answer: a line naming the command, then
            // "Name: value" lines, always ending with "RPRT n".
            const std::string line = "+" + command + "\n";
            if (::send(s, line.data(), line.size(), MSG_NOSIGNAL) !=
                    static_cast<ssize_t>(line.size()) ||
                !readAnswer(s, unread, values)) {
                ::close(s);
                return std::nullopt;
            }
        }
        ::close(s);
        return values;
    }

    static bool readAnswer(int s, std::string& unread, std::vector<std::string>& values) {
        for (bool header = true;;) {
            const auto end = unread.find('\n');
            if (end == std::string::npos) {
                std::array<char, 256> buffer;
                const ssize_t got = ::recv(s, buffer.data(), buffer.size(), 0);
                if (got <= 0) return false;
                unread.append(buffer.data(), static_cast<std::size_t>(got));
                continue;
            }
            const std::string line = unread.substr(0, end);
            unread.erase(0, end + 1);
            if (line.starts_with("RPRT ")) {
                if (line != "RPRT 0") values.push_back(line);
                return true;
            }
            const auto colon = line.find(": ");
            if (!header && colon != std::string::npos) values.push_back(line.substr(colon + 2));
            header = false;
        }
    }

    std::vector<std::string> command_;
    int port_;
    pid_t pid_ = -1;
};

}  // namespace selvora::testing
