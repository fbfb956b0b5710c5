# Copies SRC (data/) into DST (the application directory). Files under Settings/ are
# the user's once they exist: they are copied only when missing.
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*")
foreach(rel ${files})
  set(from "${SRC}/${rel}")
  set(to "${DST}/${rel}")
  if(rel MATCHES "^Settings/")
    if(rel STREQUAL "Settings/settings")
      continue()  # its absence is what marks a first start
    endif()
    if(EXISTS "${to}")
      continue()
    endif()
  endif()
  get_filename_component(dir "${to}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${from}" "${to}")
endforeach()
