# Writes CHANGELOG.md (Keep a Changelog) out in the form Debian gives the
# changelog of a native package, which is what dpkg and lintian read in
# /usr/share/doc/<package>/changelog.gz:
#
#   varnok (1.1.0) unstable; urgency=medium
#
#     Added:
#     * an item, with its continuation lines
#
#    -- Maintainer <address>  Tue, 08 Dec 2026 00:00:00 +0000
#
# Only released versions are written; the text before the first one and an
# "Unreleased" entry are left out. CHANGELOG.md gives only dates, while
# Debian wants a time that grows from each entry to the next: an entry is
# put at midnight UTC plus one minute for each older entry of the same day.
include(${CMAKE_CURRENT_LIST_DIR}/EpochOfDate.cmake)

# "Tue, 08 Dec 2026 00:01:00 +0000" for 2026-12-08 and one minute.
function(varnok_rfc5322_date date minutes outVar)
  varnok_epoch_of_date("${date}" epoch)
  math(EXPR weekday "(${epoch} / 86400 + 4) % 7")  # 1970-01-01 was a Thursday
  set(dayNames Sun Mon Tue Wed Thu Fri Sat)
  list(GET dayNames ${weekday} dayName)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${date}")
  math(EXPR monthIndex "1${CMAKE_MATCH_2} - 101")
  set(monthNames Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET monthNames ${monthIndex} monthName)
  math(EXPR hour "100 + ${minutes} / 60")
  math(EXPR minute "100 + ${minutes} % 60")
  string(SUBSTRING "${hour}" 1 2 hour)
  string(SUBSTRING "${minute}" 1 2 minute)
  set(${outVar} "${dayName}, ${CMAKE_MATCH_3} ${monthName} ${CMAKE_MATCH_1} ${hour}:${minute}:00 +0000"
      PARENT_SCOPE)
endfunction()

function(varnok_write_debian_changelog markdown output package maintainer)
  file(READ "${markdown}" text)
  # The release dates, newest first, to order the entries of one day.
  string(REGEX MATCHALL "\n## \\[[0-9][^]\n]*\\] - [0-9-]+\n" releaseDates "\n${text}\n")
  list(TRANSFORM releaseDates REPLACE ".* - ([0-9-]+)\n" "\\1")
  set(debian "")
  set(trailer "")
  # Line by line, without turning the text into a list, which would give
  # ";" and "[" meanings of their own.
  while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" lineEnd)
    if(lineEnd EQUAL -1)
      string(LENGTH "${text}" lineEnd)
    endif()
    string(SUBSTRING "${text}" 0 ${lineEnd} line)
    math(EXPR next "${lineEnd} + 1")
    string(SUBSTRING "${text}" ${next} -1 text)
    if(line MATCHES "^## \\[([0-9][^]]*)\\] - ([0-9-]+)$")
      set(version "${CMAKE_MATCH_1}")
      list(POP_FRONT releaseDates releaseDate)
      set(olderSameDay ${releaseDates})
      list(FILTER olderSameDay INCLUDE REGEX "^${releaseDate}$")
      list(LENGTH olderSameDay minutes)
      varnok_rfc5322_date("${releaseDate}" ${minutes} date)
      string(APPEND debian "${trailer}${package} (${version}) unstable; urgency=medium\n")
      set(trailer "\n -- ${maintainer}  ${date}\n\n")
    elseif(trailer STREQUAL "" OR line MATCHES "^\\[[^]]*\\]: ")
      # before the first release, or a link definition
    elseif(line MATCHES "^### (.+)$")
      string(APPEND debian "\n  ${CMAKE_MATCH_1}:\n")
    elseif(line MATCHES "^- (.+)$")
      string(APPEND debian "  * ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^  +(.+)$")
      string(APPEND debian "    ${CMAKE_MATCH_1}\n")
    elseif(NOT line STREQUAL "")
      string(APPEND debian "  ${line}\n")
    endif()
  endwhile()
  string(APPEND debian "${trailer}")
  string(REGEX REPLACE "\n\n$" "\n" debian "${debian}")
  file(WRITE "${output}" "${debian}")
endfunction()
