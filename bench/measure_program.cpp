// Runs a program for a while and measures it from outside, changing nothing in it.
//
//   selvora_measure [--first-read FILE] [--seconds N] [--sample-every S] -- PROGRAM ARGS...
//
// --first-read: the time from the start to the first time a process closes FILE after
//   opening it for reading only (inotify IN_CLOSE_NOWRITE on its directory). For Selvora
//   that is the first tick's read of azel.dat, done; writers open it for writing, which
//   does not count. The program's CPU time at that moment is noted too, and every such
//   read is counted (reads=): one per tick that found the file.
// --sample-every: every S seconds, the resident set, the open descriptors and the reads
//   so far.
// After N seconds (default 60) the program is sent SIGTERM. Prints key=value lines:
// first_read_ms, sample lines, cpu_s (user + system, whole run), cpu_after_first_read_s,
// peak_rss_kb (the kernel's high-water mark), and alive (whether it ran to the end).
// Exits 0 when the program was still running at the end, 1 when it ended early.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// User plus system CPU seconds of a running process, from /proc/PID/stat.
std::optional<double> cpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {  // fields 14 and 15
        if (i == 14) utime = std::atoll(field.c_str());
        if (i == 15) stime = std::atoll(field.c_str());
    }
    return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

long statusKb(pid_t pid, const std::string& key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
    return -1;
}

// Open descriptors; the least of three looks, so a file open for a moment does not count.
long openDescriptors(pid_t pid) {
    long least = LONG_MAX;
    for (int look = 0; look < 3; ++look) {
        std::error_code error;
        long count = 0;
        for (fs::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", error), end;
             !error && it != end; it.increment(error))
            ++count;
        if (error) return -1;
        least = std::min(least, count);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return least;
}

int usage() {
    std::fprintf(stderr,
                 "usage: selvora_measure [--first-read FILE] [--seconds N] [--sample-every S] "
                 "-- PROGRAM ARGS...\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::string watched;
    double seconds = 60, sampleEvery = 0;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; i += 2) {
        if (i + 1 >= argc) return usage();
        const std::string option = argv[i];
        if (option == "--first-read")
            watched = argv[i + 1];
        else if (option == "--seconds")
            seconds = std::atof(argv[i + 1]);
        else if (option == "--sample-every")
            sampleEvery = std::atof(argv[i + 1]);
        else
            return usage();
    }
    if (i + 1 >= argc) return usage();
    char** command = argv + i + 1;

    int inotify = -1;
    std::string watchedName;
    if (!watched.empty()) {
        const fs::path path = fs::absolute(watched);
        watchedName = path.filename().string();
        inotify = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        if (inotify < 0 ||
            ::inotify_add_watch(inotify, path.parent_path().c_str(), IN_CLOSE_NOWRITE) < 0) {
            std::perror("inotify");
            return 2;
        }
    }

    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) return std::perror("fork"), 2;
    if (pid == 0) {
        ::execvp(command[0], command);
        std::perror(command[0]);
        ::_exit(127);
    }
    std::printf("pid=%d\n", pid);
    std::fflush(stdout);

    std::optional<double> firstRead, cpuAtFirstRead;
    long reads = 0;
    double nextSample = sampleEvery;
    int status = 0;
    bool alive = true;
    struct rusage usage {};
    while (secondsSince(start) < seconds) {
        if (::wait4(pid, &status, WNOHANG, &usage) == pid) {
            alive = false;
            break;
        }
        if (inotify >= 0) {
            // Until the first read, look often: that time is a figure of its own.
            pollfd watch{inotify, POLLIN, 0};
            if (::poll(&watch, 1, firstRead ? 20 : 5) > 0) {
                alignas(inotify_event) char buffer[4096];
                const ssize_t got = ::read(inotify, buffer, sizeof buffer);
                for (ssize_t at = 0; at < got;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                    at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                    if (event->len == 0 || watchedName != event->name) continue;
                    ++reads;
                    if (firstRead) continue;
                    firstRead = secondsSince(start);
                    cpuAtFirstRead = cpuSeconds(pid);
                    std::printf("first_read_ms=%.1f\n", *firstRead * 1000);
                    std::fflush(stdout);
                }
            }
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (sampleEvery > 0 && secondsSince(start) >= nextSample) {
            std::printf("sample t_s=%.0f rss_kb=%ld fds=%ld reads=%ld\n", nextSample,
                        statusKb(pid, "VmRSS"), openDescriptors(pid), reads);
            std::fflush(stdout);
            nextSample += sampleEvery;
        }
    }

    double cpuTotal = 0;
    long peakKb = 0;
    if (alive) {
        peakKb = statusKb(pid, "VmHWM");
        ::kill(pid, SIGTERM);
        ::wait4(pid, &status, 0, &usage);
    } else {
        peakKb = usage.ru_maxrss;
        if (WIFSIGNALED(status))
            std::printf("ended_early=signal %d (%s) after %.1f s\n", WTERMSIG(status),
                        strsignal(WTERMSIG(status)), secondsSince(start));
        else
            std::printf("ended_early=exit %d after %.1f s\n", WEXITSTATUS(status),
                        secondsSince(start));
    }
    const auto toSeconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    cpuTotal = toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
    if (!firstRead) std::printf("first_read_ms=none\n");
    if (inotify >= 0) std::printf("reads=%ld\n", reads);
    std::printf("cpu_s=%.3f\n", cpuTotal);
    if (cpuAtFirstRead) std::printf("cpu_after_first_read_s=%.3f\n", cpuTotal - *cpuAtFirstRead);
    std::printf("peak_rss_kb=%ld\n", peakKb);
    std::printf("alive=%s\n", alive ? "yes" : "no");
    return alive ? 0 : 1;
}
