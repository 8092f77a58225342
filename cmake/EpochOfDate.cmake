# Seconds since 1970-01-01 at midnight UTC of a YYYY-MM-DD date, by the
# days-from-civil count of the proleptic Gregorian calendar.
function(varnok_epoch_of_date date outVar)
  string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" _ "${date}")
  math(EXPR year "${CMAKE_MATCH_1}")
  math(EXPR month "1${CMAKE_MATCH_2} - 100")
  math(EXPR day "1${CMAKE_MATCH_3} - 100")
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 9")
  else()
    math(EXPR month "${month} - 3")
  endif()
  math(EXPR yearOfEra "${year} % 400")
  math(EXPR dayOfEra
    "${yearOfEra} * 365 + ${yearOfEra} / 4 - ${yearOfEra} / 100 + (153 * ${month} + 2) / 5 + ${day} - 1")
  math(EXPR epoch "((${year} / 400) * 146097 + ${dayOfEra} - 719468) * 86400")
  set(${outVar} ${epoch} PARENT_SCOPE)
endfunction()
