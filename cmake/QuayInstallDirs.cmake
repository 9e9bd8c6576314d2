# Where an installed Billquay lives: programs in bin, the program's own shared libraries
# in a private folder under the library directory (found through the programs' run path),
# everything else under the GNU data directories.
include(GNUInstallDirs)
set(QUAY_INSTALL_LIBDIR "${CMAKE_INSTALL_LIBDIR}/billquay")
file(RELATIVE_PATH _quay_lib_from_bin "/${CMAKE_INSTALL_BINDIR}" "/${QUAY_INSTALL_LIBDIR}")
set(CMAKE_INSTALL_RPATH "$ORIGIN/${_quay_lib_from_bin}")
