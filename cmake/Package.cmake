# SPDX-License-Identifier: MIT
# `cmake --build build --target package` makes a Debian package of what
# `cmake --install` installs, under /usr, with its library dependencies found
# by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvr)
set(CPACK_PACKAGE_VENDOR ORBITLAB)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphing workbench for teaching functions and curves")
set(CPACK_PACKAGE_DESCRIPTION "Type equations or sketch them with a pen or the mouse; KVR recognises lines,
polynomials, trigonometric curves, logarithms, exponentials and conics, plots
them, and lets a teacher reshape, label and annotate them, save lessons, print
and export them, and find similar lessons in a library folder.")
set(CPACK_PACKAGE_CONTACT "KVR developers <kvr@orbitlab.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://orbitlab.org/kvr/")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Mesa's drivers draw the
# graph where no other OpenGL driver is installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri")
# Qt's own translations give the standard dialogs' buttons in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-translations-l10n")
include(CPack)
