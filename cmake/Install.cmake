# cmake --install: the two programs, the population databases and the help
# file in share/kalderon (where the programs look for them beside their bin
# folder), the desktop entry, the icon in SVG and PNG sizes and the file type
# of chart files.  cpack -G DEB makes a Debian package of the same.
include(GNUInstallDirs)

add_executable(kalderon_render_icon src/tools/RenderIcon.cpp)
target_link_libraries(kalderon_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(ICON_SVG ${CMAKE_SOURCE_DIR}/src/resources/desktop/kalderon.svg)
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${ICON_DIR}/48x48/apps/kalderon.png
  COMMAND kalderon_render_icon ${ICON_SVG} ${ICON_DIR}
  DEPENDS kalderon_render_icon ${ICON_SVG}
  COMMENT "Drawing the program icon")
add_custom_target(icon_pictures ALL DEPENDS ${ICON_DIR}/48x48/apps/kalderon.png)

install(TARGETS kalderon kalderon-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/LifeTables.mdb data/ReferenceRateTables.mdb ${HELP_FILE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kalderon)
install(FILES src/resources/desktop/kalderon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES src/resources/desktop/kalderon-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME kalderon.xml)

set(CPACK_PACKAGE_NAME kalderon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR QOV)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Survival analysis of patient follow-up data")
set(CPACK_PACKAGE_DESCRIPTION "Life tables (Cutler-Ederer), product-limit estimates (Kaplan-Meier), period analysis, trends in n-year survival, relative survival (Ederer II, Hakulinen) and SMR/SIR with Byar limits, with reports, exports and charts; a desktop program and a command-line program.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KALDERON developers <kalderon@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)

if(KALDERON_BUILD_TESTS)
  # Installs into a temporary prefix and runs the installed programs from
  # another folder; builds the Debian package.
  add_test(NAME install_and_package
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-install ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(install_and_package PROPERTIES TIMEOUT 300)
endif()
