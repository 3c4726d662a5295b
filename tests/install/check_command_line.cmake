# The program's command line, run without a display.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")

function(run expected_status)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status STREQUAL "${expected_status}")
        message(FATAL_ERROR "${ARGN}: status ${status}, expected ${expected_status}\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 "${PROGRAM}" --version)
if(NOT out STREQUAL "Kartotrix v1.0.2.5\n")
    message(FATAL_ERROR "--version printed: ${out}")
endif()
run(0 "${PROGRAM}" --help)

# Without a display the window cannot open: one clear line, a non-zero status.
run(1 "${PROGRAM}")
if(NOT err MATCHES "xvfb-run")
    message(FATAL_ERROR "no hint at xvfb-run: ${err}")
endif()

run(0 "${DEMO}" "${WORK}")
run(0 "${PROGRAM}" --export "${WORK}/abend-4.hsc" "${WORK}/abend-4.txt")
# Read as hex: CMake's text reading drops the CR of CR LF.
file(READ "${WORK}/abend-4.txt" text HEX)
string(HEX "Kartotrix 102\r\n\t\t\tAnna\t\tBert\t\tCarla\t\tDieter\r\n12\t3\t\t3\t3\t-3\t-3\r\n" head)
string(FIND "${text}" "${head}" at)
if(NOT at EQUAL 0)
    message(FATAL_ERROR "unexpected export: ${text}")
endif()
execute_process(COMMAND "${PROGRAM}" --export "${WORK}/abend-4.hsc" OUTPUT_FILE "${WORK}/stdout.txt"
                RESULT_VARIABLE status)
file(SHA256 "${WORK}/abend-4.txt" from_file)
file(SHA256 "${WORK}/stdout.txt" from_stdout)
if(NOT status EQUAL 0 OR NOT from_file STREQUAL from_stdout)
    message(FATAL_ERROR "standard output differs from the file export")
endif()

file(WRITE "${WORK}/kaputt.hsc" "Kartotrix---kein Block")
run(2 "${PROGRAM}" --export "${WORK}/kaputt.hsc" "${WORK}/kaputt.txt")
if(EXISTS "${WORK}/kaputt.txt" OR NOT err MATCHES "Keine g")
    message(FATAL_ERROR "a broken pad was exported or not reported: ${err}")
endif()
run(2 "${PROGRAM}" --export "${WORK}/fehlt.hsc")

# Unknown options are named; Qt's own options still reach Qt.
run(2 "${PROGRAM}" --gibtsnicht)
if(NOT err MATCHES "--gibtsnicht")
    message(FATAL_ERROR "the unknown option is not named: ${err}")
endif()
run(0 "${PROGRAM}" -style fusion --version)

# A folder is no pad, neither for the export nor for the window.
run(2 "${PROGRAM}" --export "${WORK}")
if(NOT err MATCHES "Ordner")
    message(FATAL_ERROR "a folder as pad is not reported: ${err}")
endif()
run(2 "${PROGRAM}" "${WORK}")

# A full standard output and a target that is no regular file are reported.
if(EXISTS /dev/full)
    execute_process(COMMAND "${PROGRAM}" --export "${WORK}/abend-4.hsc" OUTPUT_FILE /dev/full
                    RESULT_VARIABLE status ERROR_VARIABLE err)
    if(NOT status EQUAL 1 OR NOT err MATCHES "Standardausgabe")
        message(FATAL_ERROR "a full standard output: status ${status}: ${err}")
    endif()
endif()
find_program(MKFIFO mkfifo)
if(MKFIFO)
    execute_process(COMMAND ${MKFIFO} "${WORK}/pipe")
    run(1 "${PROGRAM}" --export "${WORK}/abend-4.hsc" "${WORK}/pipe")
    execute_process(COMMAND test -p "${WORK}/pipe" RESULT_VARIABLE still_fifo)
    if(NOT still_fifo EQUAL 0 OR NOT err MATCHES "gew")
        message(FATAL_ERROR "the FIFO was replaced or not reported: ${err}")
    endif()
endif()
file(REMOVE_RECURSE "${WORK}")
