# Builds the Debian package from a finished build and checks what it holds:
# the program, its data files, the command, the desktop entry with its icon,
# the software centres' entry, the manual page, the copyright and change log,
# and the runtime packages it depends on; then Debian's own tools judge it:
# lintian (any error or warning fails), appstreamcli and desktop-file-validate.
#   cmake -DCPACK=<cpack> -DBUILD=<build folder> -DSOURCE=<installation folder> -P check_package.cmake
set(out ${BUILD}/package-check)
file(REMOVE_RECURSE ${out})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${out}
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack -G DEB failed:\n${log}")
endif()
file(GLOB debs ${out}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${out}, found: ${debs}")
endif()

execute_process(COMMAND dpkg-deb --contents ${debs} RESULT_VARIABLE rc OUTPUT_VARIABLE contents ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb --contents failed: ${err}")
endif()
foreach(path
    ./usr/lib/quorvel/quorvel
    ./usr/lib/quorvel/Index.rtf
    ./usr/lib/quorvel/TIPOFDAY.TXT
    ./usr/lib/quorvel/TIPOFDAY1.TXT
    "./usr/bin/quorvel -> ../lib/quorvel/quorvel"
    ./usr/share/applications/quorvel.desktop
    ./usr/share/icons/hicolor/256x256/apps/quorvel.png
    ./usr/share/metainfo/org.quorvel.quorvel.metainfo.xml
    ./usr/share/man/man1/quorvel.1.gz
    ./usr/share/doc/quorvel/copyright
    ./usr/share/doc/quorvel/changelog.gz)
  string(FIND "${contents}" " ${path}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package does not hold ${path}; it holds:\n${contents}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb --field ${debs} Depends OUTPUT_VARIABLE depends RESULT_VARIABLE rc)
foreach(package libqt6widgets6 libqt6charts6 libqt6printsupport6 libsqlite3-0)
  string(FIND "${depends}" "${package} " at)
  if(NOT rc EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "the package does not depend on ${package}: ${depends}")
  endif()
endforeach()

# A tool that is missing fails the check: it is a part of the build's
# dependencies (scripts/deps.sh installs it), not an optional extra.
function(judge what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} finds fault with the package (exit ${rc}):\n${out}")
  endif()
  message(STATUS "${what}: ${out}")
endfunction()
judge(lintian lintian --fail-on error,warning --tag-display-limit 0 ${debs})
judge(appstreamcli appstreamcli validate --no-net ${SOURCE}/org.quorvel.quorvel.metainfo.xml)
judge(desktop-file-validate desktop-file-validate ${SOURCE}/quorvel.desktop)

message(STATUS "${debs}\n${contents}Depends: ${depends}")
