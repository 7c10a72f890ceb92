# Fails when an arrow of the layout turns round (docs/ARCHITECTURE.md):
#   cmake -DSOURCE_DIR=<repo> -P tests/layout_check.cmake
set(problems "")

function(check_includes label pattern)
  set(found "${problems}")
  foreach(file ${ARGN})
    file(STRINGS "${file}" lines REGEX "${pattern}")
    if(lines)
      file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
      list(GET lines 0 first)
      string(STRIP "${first}" first)
      set(found "${found}\n  ${label}: ${relative}: ${first}")
    endif()
  endforeach()
  set(problems "${found}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE library ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/include/*.h)
file(GLOB_RECURSE host ${SOURCE_DIR}/host/src/*.cpp ${SOURCE_DIR}/host/src/*.h ${SOURCE_DIR}/host/include/*.h)
file(GLOB_RECURSE frame ${SOURCE_DIR}/src/frame/*.cpp ${SOURCE_DIR}/src/frame/*.h)

check_includes("the library includes hostkit or the simulator" "#include \"(hostkit|tools)/" ${library})
check_includes("the host stand-in includes hostkit" "#include \"hostkit/" ${host})
check_includes("the frame reaches up into a family" "#include \"(utils|viewmodel|extension)/" ${frame})

file(GLOB loose LIST_DIRECTORIES false ${SOURCE_DIR}/src/utils/*)
foreach(file ${loose})
  file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
  set(problems "${problems}\n  a file outside a family folder: ${relative}")
endforeach()

if(problems)
  message(FATAL_ERROR "layout arrows point the wrong way:${problems}")
endif()
message(STATUS "layout: arrows point down")
