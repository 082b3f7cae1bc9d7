// Hamlib's shared library, found and loaded the way each platform does it:
// hamlib_library_posix.cpp (libhamlib.so.4 through dlopen) and
// hamlib_library_windows.cpp (libhamlib-4.dll beside selvora.exe, else WSJT-X's).
#pragma once

#include <string>

namespace selvora {

struct HamlibLibrary {
    void* handle = nullptr;  // nullptr: not loaded, and `problem` says why
    std::string name;        // the file loaded, for messages about it
    std::string problem;     // in an operator's words
};

// Loads the library once and for all: Hamlib's backends live as long as the program.
HamlibLibrary loadHamlibLibrary();

// The library's exported symbol, or nullptr when it has none by that name.
void* hamlibSymbol(const HamlibLibrary& library, const char* name);

}  // namespace selvora
