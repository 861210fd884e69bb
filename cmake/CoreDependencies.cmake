# C libraries of kalderon_core: the Access and Excel readers.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBMDB REQUIRED IMPORTED_TARGET libmdb)
pkg_check_modules(FREEXL REQUIRED IMPORTED_TARGET freexl)
target_link_libraries(kalderon_core PUBLIC PkgConfig::LIBMDB PkgConfig::FREEXL)
