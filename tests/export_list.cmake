# Writes the demangled dynamic symbols a library defines, one per line, for the query sweep:
#   cmake -DNM=nm -DLIBRARY=libvelto_module_api.so -DOUTPUT=exports.txt -P export_list.cmake
execute_process(COMMAND ${NM} -D --defined-only -C ${LIBRARY}
                OUTPUT_FILE ${OUTPUT}.new
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} could not list the exports of ${LIBRARY}")
endif()
file(RENAME ${OUTPUT}.new ${OUTPUT})
