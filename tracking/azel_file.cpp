#include "tracking/azel_file.h"

#include <utility>

namespace selvora {
namespace {

bool sameRead(const FilePrefix& a, const FilePrefix& b) {
    return a.error.empty() && b.error.empty() && a.wholeFile == b.wholeFile && a.bytes == b.bytes;
}

// WSJT-X rewrites the file in place (from its start, then truncating it), and Linux does
// not make a read atomic against a write to the same pages: one read can catch the start
// of the new record over the rest of the old one, and such a mix often still decodes.
// While a write is under way, reads keep changing, so two reads in a row on the same
// descriptor that agree are taken as a whole record. MAP65 truncates first, so a read can
// also see an empty file; the decoder reports that.
FilePrefix settledStart(const std::string& path) {
    const ReadOnlyFile file(path);
    return settledPrefix([&file] { return file.prefix(kAzelDecodeLimit); });
}

}  // namespace

FilePrefix settledPrefix(const std::function<FilePrefix()>& readPrefix) {
    FilePrefix previous = readPrefix();
    for (int reads = 1; reads < kMaxPrefixReads && previous.error.empty(); ++reads) {
        FilePrefix current = readPrefix();
        if (sameRead(previous, current)) return current;
        previous = std::move(current);
    }
    if (!previous.error.empty()) return previous;
    FilePrefix unsettled;
    unsettled.error = "it kept changing while it was read";
    return unsettled;
}

AzelDecoding readAzelFile(const std::string& path) {
    const FilePrefix start = settledStart(path);  // the file is closed again here
    if (!start.error.empty()) return AzelError{"cannot read the file: " + start.error};
    return decodeAzel(start.bytes, start.wholeFile);
}

}  // namespace selvora
