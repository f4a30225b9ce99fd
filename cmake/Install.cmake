# What `cmake --install` lays out and `cpack -G DEB` packages:
#   bin/rvm46-programmer            launcher (gives each user a program folder of their own)
#   bin/rvm46                       the command-line companion (lib/rvm46 also has the simulated
#                                   radio rvm46-radiosim)
#   lib/rvm46/                      the program folder: the executables with Setting/ and the
#                                   standard channel lists Channels/ beside them
#   share/applications/, share/icons/hicolor/scalable/apps/   desktop entry and icon
set(RVM46_INSTALL_FOLDER lib/rvm46)

install(TARGETS rvm46-programmer rvm46 rvm46-script rvm46-radiosim
        RUNTIME DESTINATION ${RVM46_INSTALL_FOLDER})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Setting ${CMAKE_SOURCE_DIR}/data/Channels
        DESTINATION ${RVM46_INSTALL_FOLDER})
if(EXISTS ${CMAKE_SOURCE_DIR}/data/Help)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Help DESTINATION ${RVM46_INSTALL_FOLDER})
endif()
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/rvm46-programmer-launcher
        DESTINATION bin RENAME rvm46-programmer)
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK ../${RVM46_INSTALL_FOLDER}/rvm46
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/rvm46\" SYMBOLIC)")
install(FILES ${CMAKE_SOURCE_DIR}/data/rvm46-programmer.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/rvm46-programmer.svg
        DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME rvm46)
set(CPACK_PACKAGE_VENDOR "RVM46 programming software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Programming software for RVM46 UHF hand-held radios (models 4100 and 5100)")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the configuration memory of an RVM46 radio over a serial programming cable, edits its\n16 channels and radio-wide settings in a Chinese or English window, saves and opens data\nfiles, and writes the configuration back to the radio.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "RVM46 programming software <rvm46@localhost>")
# Shared libraries are found by dpkg-shlibdeps; these are loaded at run time or only used by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-zenhei, fonts-liberation2, xchm, xdg-utils")
include(CPack)
