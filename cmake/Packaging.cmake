# The Debian package that tools/package.sh makes with CPack: exactly what
# `cmake --install` puts under /usr, binaries stripped. dpkg-shlibdeps finds
# the libraries the binaries link; the two font packages are named by hand,
# because the program finds its Chinese faces through fontconfig at run time
# (platform/text/FontAliases.cpp), which no linker records.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME inkveil)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Inkveil developers")
set(CPACK_PACKAGE_CONTACT "${INKVEIL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders the package creates are 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "document camera live picture with drawing for the classroom")
set(CPACK_PACKAGE_DESCRIPTION "\
Inkveil shows the live picture of a USB document camera (any V4L2 video
capture device) full screen and lets the teacher draw over it with a
floating tool palette: pen, straight, dashed and arrow lines, rectangles,
circles and ellipses, an eraser, colour, width, opacity and strokes that
blink and fade.

The camera toolbar zooms, pans and turns the picture, sets its capture
size, brightness, saturation and contrast, and saves photographs as BMP
files. A full-screen board freezes the screen to draw on. The interface
is Chinese.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${INKVEIL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${INKVEIL_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-wqy-microhei")
# The save dialogs use the desktop's file chooser when one of these is
# there, and their own dialog otherwise.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-desktop-portal, zenity | kdialog")

include(CPack)
