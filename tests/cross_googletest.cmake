# GoogleTest for a cross build: Debian's googletest sources (package googletest)
# compiled with the same cross compiler. It names its targets GTest::gtest and
# GTest::gtest_main itself, as find_package(GTest) does.
set(SELVORA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${SELVORA_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${SELVORA_GOOGLETEST_SOURCE}: "
                        "install Debian's googletest package")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# No test uses GoogleMock yet; leaving it out makes a cold cross build quicker.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# GoogleTest is not ours: build it without our warning flags (and -Werror).
get_directory_property(selvora_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${SELVORA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${selvora_options}")
add_library(GTest::gmock INTERFACE IMPORTED)
