# Cross-compiles for 64-bit ARM Linux (a Raspberry Pi's Debian) on amd64 Debian, with
# Debian's multiarch packages (crossbuild-essential-arm64, qt6-base-dev:arm64, ...):
#
#   cmake -S . -B build-arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
#
# scripts/package-arm64 builds the .deb this way; scripts/test-arm64 runs what it builds.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(SELVORA_CROSS_TRIPLET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${SELVORA_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${SELVORA_CROSS_TRIPLET}-g++)
# Multiarch: the arm64 libraries sit in /usr/lib/aarch64-linux-gnu beside the amd64 ones.
set(CMAKE_LIBRARY_ARCHITECTURE ${SELVORA_CROSS_TRIPLET})

# Debian 12 has no aarch64-linux-gnu-pkg-config: point pkg-config at the arm64 .pc files
# only, so no amd64 library is ever linked in.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${SELVORA_CROSS_TRIPLET}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Qt's moc, uic and rcc run on this machine: the amd64 ones of the same Qt.
set(QT_HOST_PATH /usr)

# Programs the build runs (the icon renderer) and the tests go through qemu-user.
# Their libraries come from QEMU_LD_PREFIX when set (an arm64 root), else from the
# multiarch ones installed here.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)

# /usr/lib itself holds amd64 files that are not multiarch, such as the JPL reader's
# libjpl.a: never link those into an arm64 program. scripts/package-arm64 builds the
# arm64 reader and ERFA (scripts/build-jpl-reader, scripts/build-erfa arm64) and names
# them (JPL_READER_LIBRARY, ..._INCLUDE_DIR, SELVORA_ERFA_PREFIX).
set(CMAKE_IGNORE_PATH /usr/lib)
