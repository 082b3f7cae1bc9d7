// Keeps rewriting azel.dat for the whole-program figures and the soak.
//
//   selvora_azel_writer wsjtx PATH SECONDS
//       once a second, at the turn of the second, the record for that UTC second,
//       written in place and then cut to length, as WSJT-X does.
//   selvora_azel_writer soak PATH SECONDS [SEED]
//       ten times a second, one of: a WSJT-X record (LF or CR LF line ends), a MAP65 3.0
//       record written the MAP65 way (emptied first), a change of band, a record with an
//       overflowed field, a record cut short, garbage (sometimes 1 MB of it), an empty file,
//       a record renamed into place, or the file deleted for up to half a second. Never
//       the classic three-field MAP65 line, which ends the program by design.
//
// Prints what it wrote, by kind, when it ends (after SECONDS, or on SIGTERM or SIGINT).
// Exits 1 when a write fails.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <thread>

#include <unistd.h>

#include "bench/azel_records.h"

namespace selvora::bench {
namespace {

using SystemClock = std::chrono::system_clock;

volatile std::sig_atomic_t stopping = 0;

void stop(int) {
    stopping = 1;
}

std::int64_t utcSecondNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(SystemClock::now().time_since_epoch())
        .count();
}

void fail(const std::string& what) {
    std::fprintf(stderr, "selvora_azel_writer: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

void check(bool ok, const std::string& what) {
    if (!ok) fail(what);
}

int wsjtx(const std::string& path, int seconds) {
    const auto end = SystemClock::now() + std::chrono::seconds(seconds);
    int written = 0;
    for (std::int64_t second = utcSecondNow(); SystemClock::now() < end && !stopping; ++second) {
        check(writeInPlace(path, wsjtxRecord(second, 1296)), path);
        ++written;
        std::this_thread::sleep_until(SystemClock::time_point(std::chrono::seconds(second + 1)));
    }
    std::printf("wrote %d WSJT-X records\n", written);
    return 0;
}

int soak(const std::string& path, int seconds, unsigned seed) {
    constexpr int kBands[] = {50, 144, 432, 1296, 2304, 3400, 5760, 10368, 24048};
    std::mt19937 random(seed);
    const auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    const auto garbage = [&](std::size_t size) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        return bytes;
    };
    int band = 1296;
    int deletedSteps = 0;  // steps left with no file
    std::map<std::string, int> counts;
    const auto period = std::chrono::milliseconds(100);
    auto next = std::chrono::steady_clock::now();
    const auto end = next + std::chrono::seconds(seconds);
    for (; next < end && !stopping; next += period) {
        std::this_thread::sleep_until(next);
        const std::int64_t second = utcSecondNow();
        const char* eol = second / 60 % 2 == 0 ? "\n" : "\r\n";  // LF and CR LF minutes
        if (deletedSteps > 0) {
            --deletedSteps;
            continue;
        }
        const int roll = std::uniform_int_distribution<int>(0, 99)(random);
        std::string kind;
        if (roll < 40) {
            kind = "WSJT-X record";
            check(writeInPlace(path, wsjtxRecord(second, band, eol)), path);
        } else if (roll < 65) {
            kind = "MAP65 3.0 record";
            check(writeEmptiedFirst(path, map65Version3Record(second, band, eol)), path);
        } else if (roll < 70) {
            kind = "band change";
            band = kBands[std::uniform_int_distribution<std::size_t>(
                0, std::size(kBands) - 1)(random)];
            check(writeInPlace(path, wsjtxRecord(second, band, eol)), path);
        } else if (roll < 75) {
            kind = "overflowed field";
            check(writeInPlace(path, overflowRecord(second, eol)), path);
        } else if (roll < 80) {
            kind = "cut-short record";
            // Cut before the Doppler line's first comma: a Doppler line cut after its
            // third field would read as the classic MAP65 form.
            const std::string record = wsjtxRecord(second, band, eol);
            std::size_t lineFour = 0;
            for (int line = 0; line < 3; ++line)
                lineFour = record.find('\n', lineFour) + 1;
            const std::size_t cut =
                std::uniform_int_distribution<std::size_t>(1, record.find(',', lineFour))(random);
            check(writeEmptiedFirst(path, record.substr(0, cut)), path);
        } else if (roll < 86) {
            const bool large = chance(10);
            kind = large ? "1 MB of garbage" : "garbage";
            const auto size = large ? std::size_t{1} << 20
                                    : std::uniform_int_distribution<std::size_t>(0, 6000)(random);
            check(writeEmptiedFirst(path, garbage(size)), path);
        } else if (roll < 89) {
            kind = "empty file";
            check(writeEmptiedFirst(path, ""), path);
        } else if (roll < 95) {
            kind = "renamed into place";
            const std::string temporary = path + ".new";
            check(writeEmptiedFirst(temporary, wsjtxRecord(second, band, eol)), temporary);
            check(std::rename(temporary.c_str(), path.c_str()) == 0, "rename");
        } else {
            kind = "deleted";
            check(::unlink(path.c_str()) == 0 || errno == ENOENT, "unlink");
            deletedSteps = std::uniform_int_distribution<int>(0, 5)(random);
        }
        ++counts[kind];
    }
    // Leave a readable file behind.
    check(writeInPlace(path, wsjtxRecord(utcSecondNow(), band)), path);
    for (const auto& [kind, count] : counts)
        std::printf("  %-20s %6d\n", kind.c_str(), count);
    return 0;
}

}  // namespace
}  // namespace selvora::bench

int main(int argc, char* argv[]) {
    std::signal(SIGTERM, selvora::bench::stop);
    std::signal(SIGINT, selvora::bench::stop);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc >= 4 && mode == "wsjtx") return selvora::bench::wsjtx(argv[2], std::atoi(argv[3]));
    if (argc >= 4 && mode == "soak") {
        const unsigned seed = argc > 4 ? static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10))
                                       : std::random_device{}();
        std::printf("soak writer, seed %u\n", seed);
        return selvora::bench::soak(argv[2], std::atoi(argv[3]), seed);
    }
    std::fprintf(stderr, "usage: %s wsjtx PATH SECONDS | soak PATH SECONDS [SEED]\n", argv[0]);
    return 2;
}
