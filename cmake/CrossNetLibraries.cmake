# The Windows program's phone view, on the same libraries as the Linux one:
# Debian ships cpp-httplib compiled for Linux only and libqrencode for Linux
# only, so a cross build fetches their Debian source packages into the build
# folder (tools/debian-sources.sh) and compiles them with the cross compiler,
# as it does GoogleTest. Defines kartotrix_httplib and qrencode.
set(KARTOTRIX_NET_SOURCES ${CMAKE_BINARY_DIR}/_deps/debian-sources)
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/tools/debian-sources.sh ${KARTOTRIX_NET_SOURCES} cpp-httplib qrencode
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS ${KARTOTRIX_NET_SOURCES}/cpp-httplib/httplib.h)
    message(FATAL_ERROR "The sources of cpp-httplib and qrencode could not be fetched with apt-get source; "
                        "tools/ensure-deps.sh windows (as root) sets up Debian's source lists")
endif()

# cpp-httplib used as the single header it is upstream, on Winsock.
add_library(kartotrix_httplib INTERFACE)
target_include_directories(kartotrix_httplib SYSTEM INTERFACE ${KARTOTRIX_NET_SOURCES}/cpp-httplib)
target_link_libraries(kartotrix_httplib INTERFACE ws2_32)

# libqrencode's own CMake build, the library alone.
set(WITH_TOOLS OFF CACHE BOOL "" FORCE)
set(WITH_TESTS OFF CACHE BOOL "" FORCE)
set(BUILD_SHARED_LIBS OFF CACHE BOOL "" FORCE)
# PNG and iconv serve only its command-line tool.
set(CMAKE_DISABLE_FIND_PACKAGE_PNG ON)
set(CMAKE_DISABLE_FIND_PACKAGE_Iconv ON)
add_subdirectory(${KARTOTRIX_NET_SOURCES}/qrencode ${CMAKE_BINARY_DIR}/qrencode EXCLUDE_FROM_ALL SYSTEM)
target_include_directories(qrencode SYSTEM INTERFACE ${KARTOTRIX_NET_SOURCES}/qrencode)
