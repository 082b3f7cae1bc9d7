#include "bench/azel_records.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <numbers>

#include <fcntl.h>
#include <unistd.h>

namespace selvora::bench {
namespace {

// Fortran's Fw.d: right-aligned in `width` columns, asterisks when it does not fit.
std::string fixed(double value, int width, int decimals) {
    char digits[64];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals)
            .ptr;
    const std::string_view text(digits, static_cast<std::size_t>(end - digits));
    const auto columns = static_cast<std::size_t>(width);
    if (text.size() > columns) return std::string(columns, '*');
    return std::string(columns - text.size(), ' ') + std::string(text);
}

std::string twoDigits(std::int64_t value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

std::string timeStamp(std::int64_t utcSecond) {
    const std::int64_t ofDay = ((utcSecond % 86400) + 86400) % 86400;
    return twoDigits(ofDay / 3600) + ":" + twoDigits(ofDay / 60 % 60) + ":" + twoDigits(ofDay % 60);
}

// A moon that crosses the sky over about eight hours, and Doppler shifts that follow it.
struct Sky {
    double azimuth, elevation, mutualHz, mutualRate, selfHz, selfRate;
};

Sky skyAt(std::int64_t utcSecond, int bandMHz) {
    const double phase = static_cast<double>(utcSecond % 28800) / 28800.0 * 2.0 * std::numbers::pi;
    const double scale = bandMHz / 1296.0;
    return {180.0 + 100.0 * std::sin(phase),         40.0 * std::sin(phase) + 10.0,
            -2400.0 * std::cos(phase) * scale,       18.0 * std::sin(phase) * scale,
            -2900.0 * std::cos(phase + 0.3) * scale, 21.0 * std::sin(phase + 0.3) * scale};
}

std::string positionLines(std::int64_t utcSecond, const Sky& sky, std::string_view eol) {
    const std::string t = timeStamp(utcSecond);
    std::string out;
    out += t + "," + fixed(sky.azimuth, 5, 1) + "," + fixed(sky.elevation, 5, 1) + ",Moon";
    out += eol;
    out += t + ",200.1, 12.0,Sun";
    out += eol;
    out += t + ",  0.0,  0.0,Source";
    out += eol;
    return out;
}

std::string polarisationLine(std::string_view eol) {
    return std::string("   -62.8,     4.7,    -2.0,Pol") + std::string(eol);
}

bool writeAll(int descriptor, std::string_view bytes) {
    off_t at = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(descriptor, bytes.data(), bytes.size(), at);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        at += written;
    }
    return true;
}

bool writeFile(const std::string& path, std::string_view bytes, int flags, bool cutAfter) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0644);
    if (descriptor < 0) return false;
    bool ok = writeAll(descriptor, bytes);
    if (ok && cutAfter) ok = ::ftruncate(descriptor, static_cast<off_t>(bytes.size())) == 0;
    const int savedErrno = errno;
    ::close(descriptor);
    errno = savedErrno;
    return ok;
}

}  // namespace

std::string wsjtxRecord(std::int64_t utcSecond, int bandMHz, std::string_view lineEnd) {
    const Sky sky = skyAt(utcSecond, bandMHz);
    return positionLines(utcSecond, sky, lineEnd) + fixed(bandMHz, 5, 0) + "," +
           fixed(sky.mutualHz, 8, 1) + "," + fixed(sky.mutualRate, 8, 2) + "," +
           fixed(sky.selfHz, 8, 1) + "," + fixed(sky.selfRate, 8, 2) + ",Doppler, R" +
           std::string(lineEnd) + polarisationLine(lineEnd);
}

std::string map65Version3Record(std::int64_t utcSecond, int bandMHz, std::string_view lineEnd) {
    const Sky sky = skyAt(utcSecond, bandMHz);
    return positionLines(utcSecond, sky, lineEnd) + fixed(bandMHz, 4, 0) + "," +
           fixed(std::round(sky.mutualHz), 6, 0) + "," + fixed(std::round(sky.selfHz), 6, 0) +
           ",Doppler" + std::string(lineEnd);
}

std::string overflowRecord(std::int64_t utcSecond, std::string_view lineEnd) {
    // At 47 GHz the self Doppler passes -99999.9 Hz and no longer fits its eight columns.
    constexpr int kBand = 47088;
    Sky sky = skyAt(utcSecond, kBand);
    sky.selfHz = -120000.0;
    return positionLines(utcSecond, sky, lineEnd) + fixed(kBand, 5, 0) + "," +
           fixed(sky.mutualHz, 8, 1) + "," + fixed(sky.mutualRate, 8, 2) + "," +
           fixed(sky.selfHz, 8, 1) + "," + fixed(sky.selfRate, 8, 2) + ",Doppler, R" +
           std::string(lineEnd);
}

bool writeInPlace(const std::string& path, std::string_view bytes) {
    return writeFile(path, bytes, 0, /*cutAfter=*/true);
}

bool writeEmptiedFirst(const std::string& path, std::string_view bytes) {
    return writeFile(path, bytes, O_TRUNC, /*cutAfter=*/false);
}

bool writeOverStart(const std::string& path, std::string_view bytes) {
    return writeFile(path, bytes, 0, /*cutAfter=*/false);
}

}  // namespace selvora::bench
