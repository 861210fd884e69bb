# KALDERON.chm: the HTML pages of src/resources/help and the pictures of
# docs/images, compiled with chmcmd into the build folder.
find_program(CHMCMD chmcmd REQUIRED)

set(HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/src/resources/help)
set(HELP_WORK_DIR ${CMAKE_BINARY_DIR}/help)
set(HELP_FILE ${CMAKE_BINARY_DIR}/KALDERON.chm)
file(GLOB_RECURSE HELP_SOURCES CONFIGURE_DEPENDS ${HELP_SOURCE_DIR}/*)
file(GLOB HELP_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/images/*.png)

add_custom_command(
  OUTPUT ${HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${HELP_WORK_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${HELP_SOURCE_DIR} ${HELP_WORK_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HELP_WORK_DIR}/html/images
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_IMAGES} ${HELP_WORK_DIR}/html/images/
  COMMAND ${CMAKE_COMMAND} -E chdir ${HELP_WORK_DIR} ${CHMCMD} --verbosity 0 KALDERON.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_WORK_DIR}/KALDERON.chm ${HELP_FILE}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${HELP_SOURCES} ${HELP_IMAGES}
  COMMENT "Compiling the help file KALDERON.chm"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${HELP_FILE})
if(KALDERON_BUILD_TESTS)
  add_dependencies(kalderon_tests help_file)
endif()
