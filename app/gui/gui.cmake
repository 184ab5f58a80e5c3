# SPDX-License-Identifier: GPL-3.0-or-later
# ktv4clone, the desktop program, and how it is installed and packaged.
# Included from app/CMakeLists.txt when the widgets library is built.

qt_add_executable(ktv4clone ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_compile_definitions(ktv4clone PRIVATE KTV4_VERSION="${PROJECT_VERSION}")
target_link_libraries(ktv4clone PRIVATE ktv4ui)
set_target_properties(ktv4clone PROPERTIES WIN32_EXECUTABLE ON MACOSX_BUNDLE ON)

include(GNUInstallDirs)
install(TARGETS ktv4clone
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.ktv4clone.ktv4clone.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.ktv4clone.ktv4clone.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ktv4clone.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/ui/resources/ktv4clone.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/128x128/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ktv4clone.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages)

# cpack -G DEB in the build folder makes ktv4clone_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME ktv4clone)
set(CPACK_PACKAGE_VENDOR "ktv4clone developers")
set(CPACK_PACKAGE_CONTACT "ktv4clone developers <ktv4clone@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which no library links to. The libraries the programs link
# (Qt, and yaml-cpp for memory files: libyaml-cpp0.7) are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own Japanese texts (OK, Cancel, the file dialogs) for a Japanese desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the clone memory of a KT-V4 HF transceiver over a serial cable, edits\n its memory channels, VFOs and settings, keeps them in clone files, memory\n files (the radio's memory as YAML text) and CSV files, and writes them\n back. ktv4cli does the same from the command line and checks the serial\n port (ktv4cli doctor); ktv4sim is a virtual radio.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A package carries no debugging symbols, whatever the build type.
set(CPACK_STRIP_FILES ON)
include(CPack)
