// azel.dat records as the tracking programs write them, and the ways they write
// them, for the benchmarks, the whole-program figures and the soak.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace selvora::bench {

// A record for one UTC second (seconds since 1970) on a band (MHz), in WSJT-X's
// fixed-width layout: the moon, the sun and the source lines, the Doppler line and
// the polarisation line. The moon and the Doppler values drift slowly with the time,
// so consecutive seconds give different records of the same length.
std::string wsjtxRecord(std::int64_t utcSecond, int bandMHz, std::string_view lineEnd = "\n");

// The same, with the Doppler line in MAP65 3.0's four-field form
// (" 144,   -51,   138,Doppler"): no rates, and still readable.
std::string map65Version3Record(std::int64_t utcSecond, int bandMHz,
                                std::string_view lineEnd = "\n");

// The same, with a Doppler value too wide for its field, printed as asterisks.
std::string overflowRecord(std::int64_t utcSecond, std::string_view lineEnd = "\n");

// How a writer replaces the file's content. Each opens the file, writes and closes it,
// as the tracking programs do once a second; false (with errno set) when a call failed.
//   in place: written from the start over the old record, then cut to its length
//             (WSJT-X; a reader can catch the new start over the old rest);
//   emptied first: cut to nothing, then written (MAP65; a reader can see an empty file).
bool writeInPlace(const std::string& path, std::string_view bytes);
bool writeEmptiedFirst(const std::string& path, std::string_view bytes);
// Writes over the start of the file and leaves the rest as it is (a long file keeps
// its length).
bool writeOverStart(const std::string& path, std::string_view bytes);

}  // namespace selvora::bench
