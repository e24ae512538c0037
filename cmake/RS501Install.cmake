# Install layout: bin/rs501, the module and the component runtime in a
# private library folder found through a relative RPATH (an extracted or
# relocated tree runs as it lies), the desktop entry, icon, metainfo and
# manual page; the development kit (headers, static host libraries, CMake
# package) goes into the "dev" component.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(RS501_APP_ID org.rs501.RS501)
set(RS501_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/rs501)
set(RS501_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/rs501)
set(RS501_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/RS501)
set(RS501_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc)
file(RELATIVE_PATH rs_bin_to_lib /${CMAKE_INSTALL_BINDIR} /${RS501_PRIVATE_LIBDIR})

set_target_properties(rs501 PROPERTIES INSTALL_RPATH "$ORIGIN/${rs_bin_to_lib}")
set_target_properties(RS501 PROPERTIES INSTALL_RPATH "$ORIGIN")
target_compile_definitions(rs501 PRIVATE RS501_MODULE_FROM_BIN="${rs_bin_to_lib}")

install(TARGETS rs501 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(TARGETS RS501 LIBRARY DESTINATION ${RS501_PRIVATE_LIBDIR} COMPONENT runtime)

set(rs_packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${rs_packaging}/${RS501_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications
        COMPONENT runtime)
install(FILES ${rs_packaging}/${RS501_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
        COMPONENT runtime)
install(FILES ${rs_packaging}/${RS501_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo
        COMPONENT runtime)

# Debian wants the manual page and the changelogs compressed, reproducibly.
set(rs_gz ${PROJECT_BINARY_DIR}/packaging)
add_custom_command(
  OUTPUT ${rs_gz}/rs501.1.gz ${rs_gz}/changelog.Debian.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${rs_gz}
  COMMAND sh -c "gzip -9n -c '${rs_packaging}/rs501.1' > '${rs_gz}/rs501.1.gz'"
  COMMAND sh -c "gzip -9n -c '${rs_packaging}/changelog' > '${rs_gz}/changelog.Debian.gz'"
  DEPENDS ${rs_packaging}/rs501.1 ${rs_packaging}/changelog
  VERBATIM)
add_custom_target(rs_packaging_files ALL DEPENDS ${rs_gz}/rs501.1.gz ${rs_gz}/changelog.Debian.gz)
install(FILES ${rs_gz}/rs501.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
install(FILES ${rs_packaging}/copyright ${rs_gz}/changelog.Debian.gz DESTINATION ${RS501_DOCDIR}/rs501
        COMPONENT runtime)
install(FILES ${rs_packaging}/copyright ${rs_gz}/changelog.Debian.gz DESTINATION ${RS501_DOCDIR}/rs501-dev
        COMPONENT dev)

# The development kit: what a host needs to load the module and to hand it
# services and controls, as static libraries beside the shared runtime.
add_library(rs_kit INTERFACE)
set_target_properties(rs_kit PROPERTIES EXPORT_NAME RS501)
target_link_libraries(rs_kit INTERFACE rs_controls rs_services rs_schema rs_ado rs_component rs_core Qt6::Widgets)
set(rs_kit_targets rs_kit rs_controls rs_services rs_schema rs_shell_api rs_ado rs_core)
install(TARGETS ${rs_kit_targets} EXPORT RS501Targets
        ARCHIVE DESTINATION ${RS501_PRIVATE_LIBDIR} COMPONENT dev
        INCLUDES DESTINATION ${RS501_INCLUDEDIR})
install(TARGETS rs_component EXPORT RS501Targets
        LIBRARY DESTINATION ${RS501_PRIVATE_LIBDIR} COMPONENT runtime
        INCLUDES DESTINATION ${RS501_INCLUDEDIR})
# Debian ships static libraries without their debugging sections.
install(CODE "file(GLOB rs_archives \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${RS501_PRIVATE_LIBDIR}/*.a\")
  foreach(a IN LISTS rs_archives)
    execute_process(COMMAND ${CMAKE_STRIP} --strip-debug \${a})
  endforeach()" COMPONENT dev)
foreach(folder IN ITEMS platform/core platform/ado platform/component host/services host/controls host/schema)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/ DESTINATION ${RS501_INCLUDEDIR}/${folder}
          COMPONENT dev FILES_MATCHING PATTERN "*.h")
endforeach()
# Of the module's shell only the interfaces it calls on the host.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/shell/ DESTINATION ${RS501_INCLUDEDIR}/src/shell COMPONENT dev
        FILES_MATCHING PATTERN "i*.h" PATTERN "controlnames.h" PATTERN "dailywindow.h")
install(EXPORT RS501Targets NAMESPACE RS501:: DESTINATION ${RS501_CMAKEDIR} COMPONENT dev)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/RS501Config.cmake.in
                              ${PROJECT_BINARY_DIR}/cmake/RS501Config.cmake INSTALL_DESTINATION ${RS501_CMAKEDIR}
                              PATH_VARS RS501_PRIVATE_LIBDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cmake/RS501ConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/cmake/RS501Config.cmake ${PROJECT_BINARY_DIR}/cmake/RS501ConfigVersion.cmake
        DESTINATION ${RS501_CMAKEDIR} COMPONENT dev)
