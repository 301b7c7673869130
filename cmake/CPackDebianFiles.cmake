# Run by cpack once the files are staged and before they are packed
# (CPACK_PRE_BUILD_SCRIPTS): adds what only the Debian package carries, from
# resources/debian/ — the changelog, compressed as Debian's are, and lintian's
# overrides. A changelog whose latest entry is not this package's version stops it.
set(version "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
file(STRINGS ${CPACK_TAVRIK_DEBIAN_FILES}/changelog latest LIMIT_COUNT 1)
if(NOT latest MATCHES "^${CPACK_PACKAGE_NAME} \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL version)
  message(FATAL_ERROR "resources/debian/changelog: the latest entry is \"${latest}\"; "
                      "add one for ${CPACK_PACKAGE_NAME} ${version}")
endif()

set(root ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${root}/${CPACK_TAVRIK_DOCDIR})
set(overrides ${root}/${CPACK_TAVRIK_DATADIR}/lintian/overrides)
file(MAKE_DIRECTORY ${doc} ${overrides})
execute_process(COMMAND gzip -9n -c ${CPACK_TAVRIK_DEBIAN_FILES}/changelog
                OUTPUT_FILE ${doc}/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
file(COPY_FILE ${CPACK_TAVRIK_DEBIAN_FILES}/lintian-overrides ${overrides}/${CPACK_PACKAGE_NAME})
file(CHMOD ${doc}/changelog.Debian.gz ${overrides}/${CPACK_PACKAGE_NAME}
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
