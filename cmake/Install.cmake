# What `cmake --install` puts in place, in two components:
#   program  bin/Varnok.exe and its man page
#   docs     LICENSE, CHANGELOG.md and README.md
# The .deb adds a third, debian (cmake/Packaging.cmake). Modes are fixed here
# rather than taken from the umask, so every install and every package has
# the same ones.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(VARNOK_DOC_DIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/varnok")

install(TARGETS Varnok RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT program)
install(FILES "${VARNOK_MAN_PAGE}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1"
        COMPONENT program)
install(FILES LICENSE CHANGELOG.md README.md DESTINATION "${VARNOK_DOC_DIR}" COMPONENT docs)
