# Project Pluto's reader of JPL binary ephemerides (Debian's libpluto-jpl-eph-dev, a
# static library without pkg-config data), for the moon from WSJT-X's JPLEPH. Optional:
# without it the moon comes from ERFA's moon98 alone. Gives selvora::jpl_reader when found.
if(NOT WIN32)
  find_path(JPL_READER_INCLUDE_DIR pluto/jpleph.h)
  find_library(JPL_READER_LIBRARY NAMES jpl)
  if(JPL_READER_INCLUDE_DIR AND JPL_READER_LIBRARY)
    add_library(selvora::jpl_reader UNKNOWN IMPORTED GLOBAL)
    set_target_properties(selvora::jpl_reader PROPERTIES
      IMPORTED_LOCATION "${JPL_READER_LIBRARY}"
      INTERFACE_INCLUDE_DIRECTORIES "${JPL_READER_INCLUDE_DIR}")
    message(STATUS "JPL ephemeris reader: ${JPL_READER_LIBRARY} (the moon from WSJT-X's JPLEPH)")
  else()
    message(STATUS "JPL ephemeris reader: not found (libpluto-jpl-eph-dev); the moon from moon98 only")
  endif()
endif()
