// The two file operations the program needs: a directory lookup and reading
// the start of a file. Nothing is held open beyond one call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace selvora {

// True when `path` names a normal file: not a directory or device, and not hidden (on
// Linux, a name starting with "."; on Windows, marked hidden or system). A malformed
// path counts as not found.
bool isOrdinaryFile(const std::string& path);

struct FilePrefix {
    std::string bytes;       // the first bytes of the file, at most the limit asked for
    bool wholeFile = false;  // the file ended within the limit
    std::string error;       // why the file could not be read; empty when it was
};

// A file opened for reading only and closed by the destructor. Writers keep
// rewriting it meanwhile: nothing is locked.
class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Reads from the file's start, at most `limit` bytes.
    FilePrefix prefix(std::size_t limit) const;

  private:
    // The open file, a descriptor or a Windows HANDLE; kNoFile when it could not be opened.
    static constexpr std::intptr_t kNoFile = -1;
    std::intptr_t file_ = kNoFile;
    std::string openError_;
};

}  // namespace selvora
