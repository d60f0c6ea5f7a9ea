# A Debian package of what `cmake --install` installs, made by CPack
# (scripts/package.sh). Its dependencies come from the libraries the
# executables link (dpkg-shlibdeps).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quorvel")
set(CPACK_PACKAGE_VENDOR "The Quorvel authors")
set(CPACK_PACKAGE_CONTACT "The Quorvel authors <authors@quorvel.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browser and viewer for folders of digital photographs")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Quorvel lists a folder's photographs with their EXIF data and descriptions\n"
  "and shows them in a zoomable view, with a photographer's tools around it:\n"
  "EXIF statistics, export and editing, per-folder descriptions, file\n"
  "management, lossless JPEG rotation, crop, red-eye removal, tone curves,\n"
  "files prepared for a photo lab, the web or a phone, index prints and a\n"
  "version repository. quorvel-tool runs the same functions from the command\n"
  "line.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUORVEL_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked: Qt's extra image readers, Qt's own texts
# in the interface language, and the desktop's "open" for folders and files.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, qt6-translations-l10n, xdg-utils")

include(CPack)
