include(CMakePackageConfigHelpers)
# Imported as velto::module_api, velto::host and velto::hostkit, as inside the build.
set_target_properties(velto_module_api PROPERTIES EXPORT_NAME module_api)
set_target_properties(velto_host PROPERTIES EXPORT_NAME host)
set_target_properties(velto_hostkit PROPERTIES EXPORT_NAME hostkit)
install(TARGETS velto_module_api velto_host velto_hostkit EXPORT velto_module_api_targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/module_api DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_BINARY_DIR}/include/module_api/version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/module_api)
install(DIRECTORY host/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/velto_host)
install(DIRECTORY host/hostkit/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/velto_hostkit)
install(DIRECTORY resources/ DESTINATION ${VELTO_RESOURCE_INSTALL_DIR})
install(EXPORT velto_module_api_targets NAMESPACE velto::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/velto_module_api)
# velto::hostkit_main has an export of its own: it needs GoogleTest, which a module's production
# build may not have, and the package config loads it only when GoogleTest is found.
if(TARGET velto_hostkit_main)
  set_target_properties(velto_hostkit_main PROPERTIES EXPORT_NAME hostkit_main)
  install(TARGETS velto_hostkit_main EXPORT velto_module_api_hostkit_main_targets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT velto_module_api_hostkit_main_targets NAMESPACE velto::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/velto_module_api)
endif()
configure_package_config_file(cmake/velto_module_apiConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/velto_module_apiConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/velto_module_api)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/velto_module_apiConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velto_module_apiConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/velto_module_apiConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/velto_module_api)

# pkg-config: the prefix is taken from where the .pc file lies, so that the tree can be moved.
set(VELTO_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH VELTO_PC_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" VELTO_PC_PREFIX "${VELTO_PC_PREFIX}")
foreach(kind LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${kind}}")
    set(VELTO_PC_${kind} "${CMAKE_INSTALL_${kind}}")
  else()
    set(VELTO_PC_${kind} "\${prefix}/${CMAKE_INSTALL_${kind}}")
  endif()
endforeach()
set(CMAKE_DL_LIBS_FLAG "")
if(CMAKE_DL_LIBS)
  set(CMAKE_DL_LIBS_FLAG "-l${CMAKE_DL_LIBS}")
endif()
configure_file(cmake/velto_module_api.pc.in ${CMAKE_CURRENT_BINARY_DIR}/velto_module_api.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velto_module_api.pc DESTINATION ${VELTO_PC_DIR})
