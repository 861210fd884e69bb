# C libraries of kalderon_core: the Access and Excel readers, chmlib.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBMDB REQUIRED IMPORTED_TARGET libmdb)
pkg_check_modules(FREEXL REQUIRED IMPORTED_TARGET freexl)
# The .xlsx and .ods workbooks: zip archives of XML parts, inflated and (the
# results workbooks) deflated by ISA-L.
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
pkg_check_modules(ISAL REQUIRED IMPORTED_TARGET libisal)
target_link_libraries(kalderon_core PUBLIC PkgConfig::LIBMDB PkgConfig::FREEXL PkgConfig::LIBZIP PkgConfig::ISAL)
# The reader of Stata, SAS and SPSS data files (Debian ships no pkg-config file for it).
find_library(READSTAT readstat REQUIRED)
find_path(READSTAT_INCLUDE readstat.h REQUIRED)
target_include_directories(kalderon_core PRIVATE ${READSTAT_INCLUDE})
target_link_libraries(kalderon_core PUBLIC ${READSTAT})
# The help viewer's reader of compiled help files.
find_library(CHMLIB chm REQUIRED)
find_path(CHMLIB_INCLUDE chm_lib.h REQUIRED)
target_include_directories(kalderon_core PRIVATE ${CHMLIB_INCLUDE})
target_link_libraries(kalderon_core PUBLIC ${CHMLIB})
# Analysis files are JSON.
find_package(nlohmann_json 3 REQUIRED)
target_link_libraries(kalderon_core PRIVATE nlohmann_json::nlohmann_json)
# The matrix work of the regression models.
find_package(Eigen3 3.3 REQUIRED NO_MODULE)
target_link_libraries(kalderon_core PUBLIC Eigen3::Eigen)
