# cmake -D BUILD_DIR=... -D PREFIX=... -D BINDIR=... -D MANDIR=... -D DOCDIR=... -D VERSION=...
#       -P install_check.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(program "${PREFIX}/${BINDIR}/Varnok.exe")
set(manPage "${PREFIX}/${MANDIR}/man1/Varnok.exe.1.gz")
foreach(installed IN ITEMS "${program}" "${manPage}" "${PREFIX}/${DOCDIR}/LICENSE"
                           "${PREFIX}/${DOCDIR}/CHANGELOG.md" "${PREFIX}/${DOCDIR}/README.md")
  if(NOT EXISTS "${installed}")
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
# Debian's names for the same documents belong to the .deb alone.
if(EXISTS "${PREFIX}/${DOCDIR}/copyright")
  message(FATAL_ERROR "cmake --install installed the Debian-only ${PREFIX}/${DOCDIR}/copyright")
endif()

execute_process(COMMAND "${program}" "ZAVRO V4G35F77.118/254182"
                RESULT_VARIABLE status OUTPUT_VARIABLE out)
set(expected " chipStr ZAVRO V4G35F77.118/254182 lot-id G35F77.1 serialNum 4182\n 6-digit-id: 774182\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "installed program ran with status ${status} and wrote:\n${out}")
endif()

execute_process(COMMAND gzip -dc "${manPage}" OUTPUT_VARIABLE page RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT page MATCHES "^\\.TH VARNOK\\.EXE 1 [0-9-]+ \"Varnok ${VERSION}\"")
  message(FATAL_ERROR "${manPage} is not the Varnok.exe man page")
endif()
