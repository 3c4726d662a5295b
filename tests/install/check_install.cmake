# Installs the build into a fresh prefix and checks that everything a desktop
# needs is there. Run with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()

set(expected
    bin/kartotrix
    share/kartotrix/KartotrixHilfe.html
    share/applications/kartotrix.desktop
    share/metainfo/de.kartotrix.Kartotrix.metainfo.xml
    share/man/man1/kartotrix.1
    share/mime/packages/kartotrix.xml
    share/icons/hicolor/scalable/apps/kartotrix.svg
    share/icons/hicolor/32x32/apps/kartotrix.png
    share/icons/hicolor/256x256/apps/kartotrix.png)
foreach(file ${expected})
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "missing after install: ${file}")
    endif()
endforeach()

file(READ "${PREFIX}/share/applications/kartotrix.desktop" desktop)
foreach(line "Exec=kartotrix %f" "MimeType=application/x-kartotrix-pad;" "Categories=Game;CardGame;")
    string(FIND "${desktop}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "kartotrix.desktop lacks ${line}")
    endif()
endforeach()
file(READ "${PREFIX}/share/mime/packages/kartotrix.xml" mime)
string(FIND "${mime}" "*.hsc" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the MIME type does not claim *.hsc")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${PREFIX}/share/applications/kartotrix.desktop"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0 OR NOT out STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate: ${out}")
    endif()
endif()

# The AppStream description is valid (without looking up its web addresses).
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                            "${PREFIX}/share/metainfo/de.kartotrix.Kartotrix.metainfo.xml"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate: ${out}")
    endif()
else()
    message(STATUS "appstreamcli not found: the AppStream description is not validated")
endif()

# The manual page formats without a warning and names every option that --help names.
find_program(GROFF groff)
if(GROFF)
    execute_process(COMMAND ${GROFF} -man -ww -z -K utf8 "${PREFIX}/share/man/man1/kartotrix.1"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0 OR NOT out STREQUAL "")
        message(FATAL_ERROR "groff on kartotrix.1: ${out}")
    endif()
endif()
execute_process(COMMAND "${PREFIX}/bin/kartotrix" --help OUTPUT_VARIABLE usage)
file(READ "${PREFIX}/share/man/man1/kartotrix.1" manual)
string(REPLACE "\-" "-" manual "${manual}")
string(REGEX MATCHALL "--[a-z][a-z-]*" options "${usage}")
foreach(option ${options})
    string(FIND "${manual}" "${option}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "kartotrix.1 does not describe ${option}")
    endif()
endforeach()

# The installed program finds its help page under share/.
execute_process(COMMAND "${PREFIX}/bin/kartotrix" --version OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "Kartotrix v1.0.2.5")
    message(FATAL_ERROR "installed program: ${version}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
