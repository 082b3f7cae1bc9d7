# ERFA, the IAU's SOFA routines under a BSD licence: the moon's position, the Earth's
# rotation and the celestial-to-terrestrial frame for the moon seen from a station.
# Every platform ends with one target, selvora::erfa.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(ERFA REQUIRED IMPORTED_TARGET GLOBAL erfa)
  add_library(selvora::erfa ALIAS PkgConfig::ERFA)
else()
  # Debian ships no ERFA for mingw-w64: scripts/build-erfa-windows cross-builds its static
  # library from Debian's source and prints the folder to pass here (or in the
  # environment variable of the same name).
  set(SELVORA_ERFA_WINDOWS_PREFIX "$ENV{SELVORA_ERFA_WINDOWS_PREFIX}"
      CACHE PATH "ERFA cross-built for Windows (scripts/build-erfa-windows)")
  set(selvora_erfa_library ${SELVORA_ERFA_WINDOWS_PREFIX}/lib/liberfa.a)
  if(NOT SELVORA_ERFA_WINDOWS_PREFIX
     OR NOT EXISTS ${selvora_erfa_library}
     OR NOT EXISTS ${SELVORA_ERFA_WINDOWS_PREFIX}/include/erfa.h)
    message(FATAL_ERROR "No ERFA for Windows in '${SELVORA_ERFA_WINDOWS_PREFIX}': run "
                        "scripts/build-erfa-windows and pass the folder it prints as "
                        "-DSELVORA_ERFA_WINDOWS_PREFIX=...")
  endif()
  add_library(selvora_erfa STATIC IMPORTED GLOBAL)
  set_target_properties(
    selvora_erfa PROPERTIES IMPORTED_LOCATION ${selvora_erfa_library}
                            INTERFACE_INCLUDE_DIRECTORIES ${SELVORA_ERFA_WINDOWS_PREFIX}/include)
  add_library(selvora::erfa ALIAS selvora_erfa)
endif()
