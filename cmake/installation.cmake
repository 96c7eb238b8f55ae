# What an installation of Quorvel brings besides the program: the help text
# and the two tips files (beside the program, where it reads them), a desktop
# entry and its icon. The build puts the data files beside build/quorvel as
# well, so a program run from the build folder shows the real help and tips.
set(QV_INSTALLATION_SOURCE ${CMAKE_SOURCE_DIR}/installation)
set(QV_INSTALLATION_FILES
  ${CMAKE_BINARY_DIR}/Index.rtf
  ${CMAKE_BINARY_DIR}/TIPOFDAY.TXT
  ${CMAKE_BINARY_DIR}/TIPOFDAY1.TXT)
set(QV_ICON ${CMAKE_BINARY_DIR}/quorvel.png)

# Written by our own RTF writer and the splash's own picture code.
add_executable(make_installation_data ${QV_INSTALLATION_SOURCE}/make_installation_data.cpp)
target_link_libraries(make_installation_data PRIVATE qv_print qv_shell_lib Qt6::Gui)
add_custom_command(
  OUTPUT ${QV_INSTALLATION_FILES} ${QV_ICON}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:make_installation_data> ${QV_INSTALLATION_SOURCE} ${CMAKE_BINARY_DIR}
  DEPENDS make_installation_data
          ${QV_INSTALLATION_SOURCE}/help.md
          ${QV_INSTALLATION_SOURCE}/TIPOFDAY.TXT
          ${QV_INSTALLATION_SOURCE}/TIPOFDAY1.TXT
  COMMENT "Writing the help text, the tips and the icon"
  VERBATIM)
# The change log and the manual page go into the package compressed, as
# Debian keeps them (gzip -n: no name or time stamp, the same bytes at every build).
set(QV_PACKAGE_DOCS ${CMAKE_BINARY_DIR}/package-docs)
set(QV_CHANGELOG_GZ ${QV_PACKAGE_DOCS}/changelog.gz)
set(QV_MANPAGE_GZ ${QV_PACKAGE_DOCS}/quorvel.1.gz)
foreach(pair "changelog;${QV_CHANGELOG_GZ}" "quorvel.1;${QV_MANPAGE_GZ}")
  list(GET pair 0 source)
  list(GET pair 1 packed)
  string(REGEX REPLACE "\\.gz$" "" plain ${packed})
  add_custom_command(
    OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QV_PACKAGE_DOCS}
    COMMAND ${CMAKE_COMMAND} -E copy ${QV_INSTALLATION_SOURCE}/${source} ${plain}
    COMMAND gzip -9nf ${plain}
    DEPENDS ${QV_INSTALLATION_SOURCE}/${source}
    VERBATIM)
endforeach()
add_custom_target(installation_data ALL DEPENDS ${QV_INSTALLATION_FILES} ${QV_ICON} ${QV_CHANGELOG_GZ} ${QV_MANPAGE_GZ})
add_dependencies(quorvel installation_data)

# Installing (and so packaging) takes what is built and builds nothing more:
# the package's own targets are built beforehand, in parallel, by
# scripts/package.sh, and not the whole test suite one file at a time.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The program folder: the program and its data side by side, as the program
# expects them; a command of the same name on the search path.
set(QV_PROGRAM_FOLDER lib/quorvel)
install(TARGETS quorvel RUNTIME DESTINATION ${QV_PROGRAM_FOLDER})
install(FILES ${QV_INSTALLATION_FILES} DESTINATION ${QV_PROGRAM_FOLDER})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/command)
file(CREATE_LINK ../${QV_PROGRAM_FOLDER}/quorvel ${CMAKE_BINARY_DIR}/command/quorvel SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/command/quorvel DESTINATION bin)
install(FILES ${QV_INSTALLATION_SOURCE}/quorvel.desktop DESTINATION share/applications)
install(FILES ${QV_ICON} DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${QV_INSTALLATION_SOURCE}/org.quorvel.quorvel.metainfo.xml DESTINATION share/metainfo)
install(FILES ${QV_MANPAGE_GZ} DESTINATION share/man/man1)
install(FILES ${QV_INSTALLATION_SOURCE}/copyright ${QV_CHANGELOG_GZ} DESTINATION share/doc/quorvel)

# The Debian package. Its dependencies are what dpkg-shlibdeps finds for the
# program built on Debian 12, written out so that packaging needs no more
# than CMake itself.
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel")
set(CPACK_PACKAGE_CONTACT "Quorvel Maintainers <maintainers@quorvel.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Runs a small hair and beauty salon")
# One line of the description a line of the package's, each within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Quorvel keeps a salon's appointment book with each visit's sales ticket,
its clients, service price list, retail and non-retail stock, vendors,
employees and their commissions, the monthly schedule, statistics charts
and the register of the salon's own assets, and prints receipts, cards and
reports. All data is kept in one SQLite file per user.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6 (>= 2.34), libgcc-s1 (>= 7), libstdc++6 (>= 11), libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.4.0), \
libqt6widgets6 (>= 6.1.2), libqt6printsupport6 (>= 6.1.2), libqt6charts6 (>= 6.2.1), libsqlite3-0 (>= 3.7.14)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# CI builds the package, looks into it and has Debian's own tools judge it.
add_test(NAME DebianPackage.ListsTheProgramItsDataAndTheDesktopEntry
  COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DBUILD=${CMAKE_BINARY_DIR}
          -DSOURCE=${QV_INSTALLATION_SOURCE}
          -P ${CMAKE_SOURCE_DIR}/cmake/check_package.cmake)
set_tests_properties(DebianPackage.ListsTheProgramItsDataAndTheDesktopEntry PROPERTIES TIMEOUT 300)

# The README's commands build the program and its data, not the tests: the
# one that starts the program and the one that makes its package.
add_test(NAME RunScript.BuildsOnlyTheProgramAndItsData
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DWORK=${CMAKE_BINARY_DIR}/run-script-check
          -P ${CMAKE_SOURCE_DIR}/cmake/check_run_script.cmake)
add_test(NAME PackageScript.BuildsOnlyWhatThePackageHolds
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DWORK=${CMAKE_BINARY_DIR}/package-script-check
          -DSCRIPT=scripts/package.sh -DMAKES_PACKAGE=ON -P ${CMAKE_SOURCE_DIR}/cmake/check_run_script.cmake)
