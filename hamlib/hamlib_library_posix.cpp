#include <dlfcn.h>

#include "hamlib/hamlib_library.h"

namespace selvora {

namespace {
constexpr const char* kHamlibLibrary = "libhamlib.so.4";
}

HamlibLibrary loadHamlibLibrary() {
    void* handle = ::dlopen(kHamlibLibrary, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return {nullptr, kHamlibLibrary,
                std::string("Hamlib is not installed (") + ::dlerror() + ")"};
    return {handle, kHamlibLibrary, {}};
}

void* hamlibSymbol(const HamlibLibrary& library, const char* name) {
    return ::dlsym(library.handle, name);
}

}  // namespace selvora
