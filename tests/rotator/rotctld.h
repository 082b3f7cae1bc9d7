// A real rotctld (Hamlib's dummy rotator, model 1) on a free loopback port, started
// and ended by the test through its own PID, and asked over its network protocol
// where the antenna is.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "rig/rigctld.h"  // freeLocalPort, acceptsConnections

namespace selvora::testing {

class Rotctld {
  public:
    explicit Rotctld(int port) : port_(port) { start(); }
    ~Rotctld() { kill(); }
    Rotctld(const Rotctld&) = delete;
    Rotctld& operator=(const Rotctld&) = delete;

    bool start() {
        const std::string portText = std::to_string(port_);
        std::vector<std::string> args = {"rotctld", "-m", "1", "-T", "127.0.0.1", "-t", portText};
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&pid_, "rotctld", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) pid_ = -1;
        for (int i = 0; i < 200 && pid_ > 0; ++i) {
            if (acceptsConnections(port_)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }

    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    bool running() const { return pid_ > 0; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

    // Where rotctld says the antenna is; none while it does not answer.
    std::optional<std::pair<double, double>> position() const {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        const timeval wait{.tv_sec = 5, .tv_usec = 0};
        ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(static_cast<std::uint16_t>(port_));
        std::string answer;
        if (::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
            ::send(s, "+p\n", 3, MSG_NOSIGNAL) == 3) {
            while (answer.find("RPRT") == std::string::npos) {
                std::array<char, 256> buffer;
                const ssize_t got = ::recv(s, buffer.data(), buffer.size(), 0);
                if (got <= 0) break;
                answer.append(buffer.data(), static_cast<std::size_t>(got));
            }
        }
        ::close(s);
        const auto value = [&](const std::string& name) -> std::optional<double> {
            const auto at = answer.find(name + ": ");
            if (at == std::string::npos) return std::nullopt;
            return std::stod(answer.substr(at + name.size() + 2));
        };
        const auto azimuth = value("Azimuth");
        const auto elevation = value("Elevation");
        if (!azimuth || !elevation) return std::nullopt;
        return std::pair{*azimuth, *elevation};
    }

  private:
    int port_;
    pid_t pid_ = -1;
};

}  // namespace selvora::testing
