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
