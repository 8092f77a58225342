# The man page, with this version and its release date filled in.
find_program(GZIP gzip REQUIRED)

# Compresses a file of the build folder next to itself. gzip -n leaves the
# name and the time out of the header, so the same text always compresses to
# the same bytes.
function(varnok_compress file)
  add_custom_command(
    OUTPUT "${PROJECT_BINARY_DIR}/${file}.gz"
    COMMAND "${GZIP}" -9 -n -k -f "${file}"
    DEPENDS "${PROJECT_BINARY_DIR}/${file}"
    WORKING_DIRECTORY "${PROJECT_BINARY_DIR}"
    VERBATIM)
endfunction()

set(VARNOK_MAN_PAGE "${PROJECT_BINARY_DIR}/Varnok.exe.1")
configure_file(docs/Varnok.exe.1.in "${VARNOK_MAN_PAGE}" @ONLY)
varnok_compress(Varnok.exe.1)
add_custom_target(man_page ALL DEPENDS "${VARNOK_MAN_PAGE}.gz")
