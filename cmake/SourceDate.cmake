# Dates that come from the source, never from the clock, so that two builds of
# one commit give the same bytes:
#   VARNOK_RELEASE_DATE       the date of this version's entry in CHANGELOG.md,
#                             which the man page carries
#   VARNOK_SOURCE_DATE_EPOCH  the time stamp inside the packages: the caller's
#                             SOURCE_DATE_EPOCH if set, else the last commit's
#                             time, else midnight UTC of the newest entry's date

include(${CMAKE_CURRENT_LIST_DIR}/EpochOfDate.cmake)

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/CHANGELOG.md")
file(STRINGS "${PROJECT_SOURCE_DIR}/CHANGELOG.md" releaseHeadings
     REGEX "^## \\[[0-9]+\\.[0-9]+\\.[0-9]+\\] - [0-9-]+$")
if(NOT releaseHeadings)
  message(FATAL_ERROR "CHANGELOG.md has no release heading such as \"## [1.0.0] - 2026-12-08\"")
endif()
list(GET releaseHeadings 0 newestHeading)
string(REGEX REPLACE ".* - " "" newestDate "${newestHeading}")

list(FILTER releaseHeadings INCLUDE REGEX "^## \\[${PROJECT_VERSION}\\] - ")
if(NOT releaseHeadings)
  message(FATAL_ERROR "CHANGELOG.md has no entry \"## [${PROJECT_VERSION}] - DATE\" for this version")
endif()
string(REGEX REPLACE ".* - " "" VARNOK_RELEASE_DATE "${releaseHeadings}")

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(VARNOK_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  find_package(Git QUIET)
  if(GIT_FOUND AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
    execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
                    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                    OUTPUT_VARIABLE VARNOK_SOURCE_DATE_EPOCH
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT VARNOK_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    varnok_epoch_of_date("${newestDate}" VARNOK_SOURCE_DATE_EPOCH)
  endif()
endif()
