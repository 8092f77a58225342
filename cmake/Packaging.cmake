# The hardened release, packaged (the package preset):
#   varnok_<version>_amd64.deb             by cpack, for Debian and derivatives
#   varnok-<version>-linux-<arch>.tar.gz   by the release_files target, one
#                                          folder varnok-<version>/ to use in
#                                          place on any Linux
#   SHA256SUMS                             of both, as sha256sum -c reads it
# Both packages hold the same stripped program, owned by root, with modes
# fixed at install and times taken from VARNOK_SOURCE_DATE_EPOCH.
include(cmake/DebianChangelog.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnok)
set(CPACK_PACKAGE_VENDOR "the Varnok authors")
set(CPACK_PACKAGE_CONTACT "Varnok maintainers <varnok@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [=[
Varnok.exe takes the text decoded from a chip's QR code as its argument,
reads the chip's lot and serial number from fixed byte positions of that
text, looks the lot up in a fixed table of seventeen known lots and prints
the chip's six-digit identifier: the lot's two-digit code followed by the
serial number.

It is made to be called once per chip, by hand or from scripts: it reads
no file, environment variable or configuration, writes its report to
standard output and unknown lots to standard error, and its exit status
says whether the whole report was written.]=])
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# The .deb holds the program and its own component, debian: the licence and
# the changelog under the names and in the forms Debian's policy gives them,
# and the lintian override.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};Varnok;program;/" "${PROJECT_BINARY_DIR};Varnok;debian;/")
varnok_write_debian_changelog("${PROJECT_SOURCE_DIR}/CHANGELOG.md" "${PROJECT_BINARY_DIR}/changelog"
                              "${CPACK_PACKAGE_NAME}" "${CPACK_PACKAGE_CONTACT}")
varnok_compress(changelog)
add_custom_target(debian_changelog ALL DEPENDS "${PROJECT_BINARY_DIR}/changelog.gz")
install(FILES LICENSE DESTINATION "${VARNOK_DOC_DIR}" RENAME copyright
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES "${PROJECT_BINARY_DIR}/changelog.gz" DESTINATION "${VARNOK_DOC_DIR}"
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES packaging/varnok.lintian-overrides
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides" RENAME varnok
        COMPONENT debian EXCLUDE_FROM_ALL)

# Modes that would otherwise come from the builder's umask.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/StagedFolderModes.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/DebMemberModes.cmake")

# cpack stamps the .deb with this time instead of the clock's.
file(CONFIGURE OUTPUT CPackProjectConfig.cmake
     CONTENT "set(ENV{SOURCE_DATE_EPOCH} \"@VARNOK_SOURCE_DATE_EPOCH@\")\n" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake")
include(CPack)

# The tarball and the checksums, after cpack has made the .deb.
string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" platform)
add_custom_target(release_files
  COMMAND "${CMAKE_COMMAND}"
          -D BUILD_DIR=${PROJECT_BINARY_DIR}
          -D FOLDER=varnok-${PROJECT_VERSION}
          -D TARBALL=varnok-${PROJECT_VERSION}-${platform}.tar.gz
          -D DEB_PATTERN=varnok_${PROJECT_VERSION}_*.deb
          -D EPOCH=${VARNOK_SOURCE_DATE_EPOCH}
          -P "${PROJECT_SOURCE_DIR}/cmake/ReleaseFiles.cmake"
  COMMENT "Packing the tarball and writing SHA256SUMS"
  VERBATIM)
add_dependencies(release_files Varnok man_page)
