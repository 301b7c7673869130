# The Debian package: "cpack -G DEB" in the build folder. It holds what
# "cmake --install" lays out, under /usr, with the programs stripped, and what only
# the package has: its changelog and lintian's overrides (cmake/CPackDebianFiles.cmake).

# One package for both programs; it takes the version of the current program.
get_directory_property(TAVRIK_PACKAGE_VERSION DIRECTORY ${Tavrik_SOURCE_DIR}/vexo3 DEFINITION PROJECT_VERSION)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrik)
set(CPACK_PACKAGE_VERSION ${TAVRIK_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR Tavrik)
set(CPACK_PACKAGE_CONTACT "Tavrik <dev@tavrik.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stopwatch to the millisecond with seven-segment digits")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavrik.example.org/)
# The first line of the control file's description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tavrik is a desktop stopwatch with a Simplified Chinese interface. Vexo3
shows readings to the millisecond in large seven-segment digits, records
laps, keeps a running stopwatch across restarts and opens big windows for
the stopwatch, the date, the time or a countdown. Vexo is the older, smaller
stopwatch with an XP-style look, an alarm and a countdown.")
# The libraries the programs link, found by dpkg-shlibdeps; Qt loads its platform
# plugin at run time, which no link shows.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackLocale.cmake)
# Added to the staged tree before it is packed; the changelog's latest entry must be
# this package's version.
set(CPACK_TAVRIK_DEBIAN_FILES ${Tavrik_SOURCE_DIR}/resources/debian)
set(CPACK_TAVRIK_DOCDIR ${CMAKE_INSTALL_DOCDIR})
set(CPACK_TAVRIK_DATADIR ${CMAKE_INSTALL_DATADIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/CPackDebianFiles.cmake)

include(CPack)
