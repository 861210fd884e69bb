# kalderon_qtcanvas: the Qt side of the charts (QPainter canvas, PNG and SVG
# images, QSettings defaults), kept out of kalderon_core.  kalderon-batch and
# the tests reach it through kalderon_batch.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Svg)

file(GLOB QTCANVAS_SOURCES CONFIGURE_DEPENDS src/common/qt/*.cpp src/charts/qt/*.cpp)
add_library(kalderon_qtcanvas STATIC ${QTCANVAS_SOURCES})
target_link_libraries(kalderon_qtcanvas PUBLIC kalderon_core Qt6::Core Qt6::Gui Qt6::Svg)

target_link_libraries(kalderon_batch PUBLIC kalderon_qtcanvas)
