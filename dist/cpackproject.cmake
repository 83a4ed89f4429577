# Read by cpack for each package it makes. A Debian package keeps the administrator's INI
# file only as the configuration file /etc/vexdiagnose/vexdiagnose.ini: a package of any other
# layout would replace an edited INI file at every upgrade or reinstall, so it is refused.
if(CPACK_GENERATOR STREQUAL "DEB")
  if(NOT CPACK_VEX_SYSTEM_INI OR NOT CPACK_VEX_INSTALL_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR
      "vexdiagnose: a Debian package needs the INI file as the configuration file "
      "/etc/vexdiagnose/vexdiagnose.ini (a conffile). This build has the prefix "
      "\"${CPACK_VEX_INSTALL_PREFIX}\" and VEX_SYSTEM_INI=${CPACK_VEX_SYSTEM_INI}; configure "
      "with -DCMAKE_INSTALL_PREFIX=/usr -DVEX_SYSTEM_INI=ON, or run scripts/package.sh.")
  endif()
endif()
