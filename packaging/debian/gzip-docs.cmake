# Run by CPack on its staging folder before it packs the Debian package:
# Debian keeps manual pages and the changelog compressed, without a time
# stamp in the gzip header so that two builds give the same package.
file(GLOB_RECURSE to_compress
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man1/kartotrix.1"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/kartotrix/changelog")
foreach(file ${to_compress})
    execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${file} failed")
    endif()
endforeach()
