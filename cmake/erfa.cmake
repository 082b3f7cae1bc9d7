# ERFA, the IAU's SOFA routines under a BSD licence: the moon's position, the Earth's
# rotation and the celestial-to-terrestrial frame for the moon seen from a station.
# Every platform ends with one target, selvora::erfa.
#
# SELVORA_ERFA_PREFIX (or the environment variable of that name) names a static ERFA that
# scripts/build-erfa built from Debian's source without fused multiply-adds. Windows
# needs it (Debian ships no ERFA for mingw-w64); the arm64 package takes it so that its
# figures are the amd64 ones to the bit. Elsewhere Debian's liberfa-dev is found through
# pkg-config.
set(SELVORA_ERFA_PREFIX "$ENV{SELVORA_ERFA_PREFIX}"
    CACHE PATH "A static ERFA from scripts/build-erfa (needed for Windows)")
if(NOT SELVORA_ERFA_PREFIX AND NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(ERFA REQUIRED IMPORTED_TARGET GLOBAL erfa)
  add_library(selvora::erfa ALIAS PkgConfig::ERFA)
else()
  set(selvora_erfa_library ${SELVORA_ERFA_PREFIX}/lib/liberfa.a)
  if(NOT SELVORA_ERFA_PREFIX
     OR NOT EXISTS ${selvora_erfa_library}
     OR NOT EXISTS ${SELVORA_ERFA_PREFIX}/include/erfa.h)
    message(FATAL_ERROR "No ERFA in '${SELVORA_ERFA_PREFIX}': run scripts/build-erfa "
                        "windows (or arm64) and pass the folder it prints as "
                        "-DSELVORA_ERFA_PREFIX=...")
  endif()
  add_library(selvora_erfa STATIC IMPORTED GLOBAL)
  set_target_properties(
    selvora_erfa PROPERTIES IMPORTED_LOCATION ${selvora_erfa_library}
                            INTERFACE_INCLUDE_DIRECTORIES ${SELVORA_ERFA_PREFIX}/include)
  add_library(selvora::erfa ALIAS selvora_erfa)
  message(STATUS "ERFA: ${selvora_erfa_library}")
endif()
