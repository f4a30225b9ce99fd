# What `cmake --install` lays out and `cpack -G DEB` packages:
#   bin/rvm46-programmer            launcher (gives each user a program folder of their own)
#   bin/rvm46                       the command-line companion (lib/rvm46 also has the simulated
#                                   radio rvm46-radiosim)
#   lib/rvm46/                      the program folder: the executables with Setting/ beside them
#   share/applications/, share/icons/hicolor/scalable/apps/   desktop entry and icon
#   share/metainfo/                 the AppStream description for software centres
#   share/man/man1/                 manual pages of rvm46 and rvm46-programmer (gzipped)
#   lib/udev/rules.d/               the rule that opens programming cables to the user at the seat
#                                   (RVM46_INSTALL_UDEV_RULES=OFF leaves it out)
#   share/doc/rvm46/                copyright and changelog, as Debian packages carry them
set(RVM46_INSTALL_FOLDER lib/rvm46)

install(TARGETS rvm46-programmer rvm46 rvm46-script rvm46-radiosim
        RUNTIME DESTINATION ${RVM46_INSTALL_FOLDER})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Setting DESTINATION ${RVM46_INSTALL_FOLDER})
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
install(FILES ${CMAKE_SOURCE_DIR}/data/org.example.rvm46.programmer.metainfo.xml
        DESTINATION share/metainfo)

option(RVM46_INSTALL_UDEV_RULES
       "Install the udev rule that lets the user at the seat open programming cables" ON)
if(RVM46_INSTALL_UDEV_RULES)
    install(FILES ${CMAKE_SOURCE_DIR}/data/udev/70-rvm46-cables.rules DESTINATION lib/udev/rules.d)
endif()

# Manual pages and the changelog are installed compressed, as Debian wants them; gzip -n keeps the
# bytes the same from build to build.
set(RVM46_GZIPPED)
foreach(source man/rvm46.1 man/rvm46-programmer.1 debian/changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_BINARY_DIR}/gzipped/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/gzipped
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/data/${source} > ${output}
        DEPENDS ${CMAKE_SOURCE_DIR}/data/${source} VERBATIM)
    list(APPEND RVM46_GZIPPED ${output})
endforeach()
add_custom_target(rvm46_gzipped ALL DEPENDS ${RVM46_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/gzipped/rvm46.1.gz ${CMAKE_BINARY_DIR}/gzipped/rvm46-programmer.1.gz
        DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/gzipped/changelog.gz ${CMAKE_SOURCE_DIR}/data/debian/copyright
        DESTINATION share/doc/rvm46)

set(CPACK_PACKAGE_NAME rvm46)
set(CPACK_PACKAGE_VENDOR "RVM46 programming software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Programming software for RVM46 UHF hand-held radios (models 4100 and 5100)")
# Lines of the long description stay under 80 characters (Debian's rule).
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the configuration memory of an RVM46 radio over a serial programming\ncable, edits its 16 channels and radio-wide settings in a Chinese or English\nwindow, saves and opens data files, and writes the configuration back to the\nradio.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "RVM46 programming software <rvm46@example.org>")
# Shared libraries are found by dpkg-shlibdeps; these are loaded at run time or only used by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-zenhei, fonts-liberation2, xchm, xdg-utils")
# The rule takes effect at once where udev runs (not in a chroot or a container).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/data/debian/postinst ${CMAKE_SOURCE_DIR}/data/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
