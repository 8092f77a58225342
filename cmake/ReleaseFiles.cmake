# cmake -D BUILD_DIR=... -D FOLDER=varnok-V -D TARBALL=NAME.tar.gz -D DEB_PATTERN=varnok_V_*.deb
#       -D EPOCH=SECONDS -P ReleaseFiles.cmake
#
# Installs the program and the documents, stripped, into FOLDER, packs FOLDER
# into TARBALL, and writes SHA256SUMS for TARBALL and the .deb, all in
# BUILD_DIR. The archive is the same bytes wherever and whenever it is made:
# members sorted by name, owned by root, modes fixed, every time EPOCH, and
# gzip without a name or time of its own.
set(staging "${BUILD_DIR}/release-staging")
file(REMOVE_RECURSE "${staging}")
foreach(component IN ITEMS program docs)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --component ${component}
            --prefix "${staging}/${FOLDER}" --strip
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endforeach()

execute_process(
  COMMAND tar --create --format=gnu --sort=name --owner=0 --group=0 --numeric-owner
          --mtime=@${EPOCH} --mode=u=rwX,go=rX --directory "${staging}" "${FOLDER}"
  COMMAND gzip -9 -n
  OUTPUT_FILE "${BUILD_DIR}/${TARBALL}"
  COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${staging}")

file(GLOB debs RELATIVE "${BUILD_DIR}" "${BUILD_DIR}/${DEB_PATTERN}")
list(LENGTH debs debCount)
if(NOT debCount EQUAL 1)
  message(FATAL_ERROR "expected one ${DEB_PATTERN} in ${BUILD_DIR}, found ${debCount}: run cpack first")
endif()

set(sums "")
foreach(file IN ITEMS ${TARBALL} ${debs})
  file(SHA256 "${BUILD_DIR}/${file}" sum)
  string(APPEND sums "${sum}  ${file}\n")
endforeach()
file(WRITE "${BUILD_DIR}/SHA256SUMS" "${sums}")
