# ERFA, the IAU's SOFA routines under a BSD licence: the moon's position, the Earth's
# rotation and the celestial-to-terrestrial frame for the moon seen from a station.
# Every platform ends with one target, selvora::erfa.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(ERFA REQUIRED IMPORTED_TARGET GLOBAL erfa)
  add_library(selvora::erfa ALIAS PkgConfig::ERFA)
endif()
