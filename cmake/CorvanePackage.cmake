# `make package`: a .deb of what `cmake --install` puts in place. Its dependencies are the runtime
# packages of scripts/runtime-packages.txt, the same list scripts/install-deps.sh installs.
file(STRINGS ${CMAKE_SOURCE_DIR}/scripts/runtime-packages.txt CORVANE_RUNTIME_PACKAGES REGEX "^[^#]")
list(TRANSFORM CORVANE_RUNTIME_PACKAGES STRIP)
list(FILTER CORVANE_RUNTIME_PACKAGES EXCLUDE REGEX "^$")
if(NOT CORVANE_RUNTIME_PACKAGES)
  message(FATAL_ERROR "scripts/runtime-packages.txt names no package")
endif()
list(JOIN CORVANE_RUNTIME_PACKAGES ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_CONTACT "Corvane developers <corvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mailing-list manager: address files, labels and bulk mail")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps name-and-address lists in dBase-format files and prints mailing labels from them, with bulk-mail presort.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
include(CPack)
