# Run by cpack once the files are staged, before it packs them. The folders
# that cpack makes above the installed files take the builder's umask
# (drwxr-x--- under 027), which would go into the package: give every staged
# folder the mode that install() gives its own.
file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY "${folder}")
    file(CHMOD "${folder}" DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
  endif()
endforeach()
