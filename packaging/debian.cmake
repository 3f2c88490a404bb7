# `make package`: a Debian package of the installed layout, its library dependencies found by
# dpkg-shlibdeps. The desktop's caches (menu, file types, icons, manual) are refreshed by the
# triggers of the packages that own them, so the package needs no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME caseleaf)
set(CPACK_PACKAGE_VENDOR "Caseleaf developers")
set(CPACK_PACKAGE_CONTACT "Caseleaf developers <developers@caseleaf.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design and print covers for CD jewel cases")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Caseleaf designs the 150 x 118 mm back inlay (with its contents list and two
spine labels) and the 240 x 120 mm front booklet of a CD jewel case, with live
previews, and prints them at true size with numbered copies. Covers are saved
as ZIP archives (.vrz) that file managers show as pictures.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Windows metafiles are played with the URW fonts even when they hold no text; covers made on
# Windows name Arial and Courier New, which Liberation matches in size.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
