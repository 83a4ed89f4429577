# The Debian package: cpack -G DEB in a build configured by scripts/package.sh (prefix /usr,
# VEX_SYSTEM_INI on). Dependencies come from the binaries through dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexdiagnose)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tovemark Software")
set(CPACK_PACKAGE_CONTACT "the Vex Diagnoseliste authors <vexdiagnose@tovemark.dk>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "look up Danish SKS diagnosis and procedure codes")
set(CPACK_PACKAGE_DESCRIPTION "\
Vex Diagnoseliste is a small desktop look-up tool for the codes of the
Danish health classification SKS: the diagnosis codes built on ICD-10 and
the treatment, operation and procedure codes. A word, a code or two terms
joined by AND, OR or NOT list the matching codes at once, and code and
text are copied to the clipboard.

It ships with the SKS codes and texts of 2018. vexdiagnose-import brings
them up to date from the publisher's quarterly file, and vexdiagnose-query
runs the same searches from the command line.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window uses the metric-compatible Tahoma of fonts-wine and Qt's Danish texts where they
# are installed; help pages open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(VEX_SYSTEM_INI)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/generated/conffiles "${VEX_INI_DIR}/vexdiagnose.ini\n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/generated/conffiles)
endif()
# Only a build of the package's layout (prefix /usr, the INI file in /etc) makes a DEB.
set(CPACK_VEX_SYSTEM_INI ${VEX_SYSTEM_INI})
set(CPACK_VEX_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cpackproject.cmake)
# The INI file may lie outside the prefix (/etc): the staging install uses DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
