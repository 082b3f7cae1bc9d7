// Reading azel.dat while WSJT-X keeps rewriting it.
#pragma once

#include <functional>
#include <string>

#include "common/files.h"
#include "tracking/azel_decoder.h"

namespace selvora {

// Reads of the file's start made on one tick before a file that keeps changing
// counts as a failed read.
inline constexpr int kMaxPrefixReads = 6;

// Reads until two reads in a row agree and returns that read; an error as soon as
// a read fails, or when no two reads agreed.
FilePrefix settledPrefix(const std::function<FilePrefix()>& readPrefix);

// Opens the file, reads its start, closes it again, and only then decodes the bytes.
// Never reads more than kAzelDecodeLimit bytes (and one more), whatever the file's size.
AzelDecoding readAzelFile(const std::string& path);

}  // namespace selvora
