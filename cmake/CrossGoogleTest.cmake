# A cross build finds no GoogleTest for its target: it builds one from
# Debian's googletest sources with the cross compiler, as part of the build.
set(KARTOTRIX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(EXISTS ${KARTOTRIX_GTEST_SOURCE}/CMakeLists.txt)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${KARTOTRIX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # GoogleTest's own build names its targets GTest::gtest and GTest::gtest_main too.
    set(GTest_FOUND TRUE)
else()
    message(STATUS "No GoogleTest sources in ${KARTOTRIX_GTEST_SOURCE} (Debian package googletest)")
endif()
