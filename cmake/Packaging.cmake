# The .deb: both programs, the desktop entry, icon, metainfo and man pages,
# the Python package, the page and the documentation, that is, whatever the
# install rules name. scripts/package builds it from the package preset,
# whose prefix is /usr: the plot module then lies in /usr/lib/<arch>/ppspin,
# out of the linker's folders, and CPack adds no ldconfig maintainer
# scripts, which a private module does not need.
set(PPSPIN_MAINTAINER "The ppspin developers <ppspin@users.noreply.github.com>" CACHE STRING
    "Maintainer named in the .deb")

# /usr/share/doc/ppspin: the copyright file in Debian's format, the README
# compressed as Debian's policy asks, and the Python example notebook.
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${PROJECT_BINARY_DIR}/doc/copyright @ONLY)
set(readme ${PROJECT_BINARY_DIR}/doc/README.md)
add_custom_command(OUTPUT ${readme}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${readme}
    COMMAND gzip -9nf ${readme}
    DEPENDS ${PROJECT_SOURCE_DIR}/README.md
    VERBATIM)
add_custom_target(ppspin-readme ALL DEPENDS ${readme}.gz)
install(FILES ${PROJECT_BINARY_DIR}/doc/copyright ${readme}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/quench-study.ipynb
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ppspin)
set(CPACK_PACKAGE_CONTACT "${PPSPIN_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PPSPIN_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "melt spinning calculator for a polypropylene filament")
# Wrapped by hand: dpkg and apt show the lines as they are.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "ppspin computes the spinline of a single polypropylene filament in melt"
    "spinning: velocity, tension, temperature and diameter from the spinneret"
    "to the take-up under three zones of quench air, and writes a text report."
    "The package holds the desktop program ppspin and ppspin-cli, the same"
    "calculation without a window, with parameter studies, the Python"
    "package ppspin, the same engine with NumPy, pandas and Dask, and"
    "ppspin.html, the calculator as one page for any browser.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Qt and the C++ runtime, as the binaries actually link them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python package: its extension is built for one interpreter version and
# imports NumPy and pandas; Dask only for ppspin.dask. Added to the computed
# dependencies.
if(PPSPIN_PYTHON_DEB_DEPENDS)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${PPSPIN_PYTHON_DEB_DEPENDS}")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3-dask, python3-distributed")
endif()

include(CPack)
