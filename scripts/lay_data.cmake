# Copies every file of SRC into DST unless DST already has a file of that name:
# the user's saved times, journals and edited lists must survive every build.
file(GLOB_RECURSE shipped RELATIVE "${SRC}" "${SRC}/*")
foreach(name IN LISTS shipped)
  if(name MATCHES "(^|/)README" OR name MATCHES "(^|/)PROVENANCE")
    continue()
  endif()
  if(NOT EXISTS "${DST}/${name}")
    get_filename_component(dir "${DST}/${name}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY "${SRC}/${name}" DESTINATION "${dir}")
  endif()
endforeach()
