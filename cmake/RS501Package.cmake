# Two Debian packages from the install components: rs501 (the program) and
# rs501-dev (the kit a host is built with). "cpack -G DEB" in the build folder.
set(CPACK_PACKAGE_NAME rs501)
set(CPACK_PACKAGE_VENDOR "RS501")
set(CPACK_PACKAGE_CONTACT "RS501 <rs501@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/bin ${PROJECT_BINARY_DIR}/platform/component)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME rs501)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION misc)
# The fonts the screens put in place of their designed Arial, Calibri and
# Franklin Gothic Medium.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "fonts-liberation, fonts-crosextra-carlito, fonts-dejavu-core")
# The first line is the synopsis, the rest the extended description.
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "meeting-room reservation calendar
RS501 shows a week or a month of half-hour slots for a meeting room and
lets people book, change and cancel reservations. Data lives in an
embedded SQLite database in the user's data folder, or on a shared
PostgreSQL server. The rs501 admin command sets a site up and backs the
embedded database up without a display.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME rs501-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "rs501 (= ${PROJECT_VERSION}-1), qt6-base-dev, libsqlite3-dev, libpq-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION "meeting-room reservation calendar - host development kit
Headers, libraries and a CMake package (find_package(RS501), target
RS501::RS501) to build a host application that loads the RS501 module
and hands it the host's services and controls.")

include(CPack)
