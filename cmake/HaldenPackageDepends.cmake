# Run by CPack on the staged package, before it packs: the package's Depends are the packages
# that hold the shared libraries its program and window module link, as dpkg-shlibdeps finds them,
# followed by those already named (the fonts).
#
# CPack's own dependency scan (CPACK_DEBIAN_PACKAGE_SHLIBDEPS) is left off because it also makes
# every shared object under usr/lib a reason to run ldconfig from maintainer scripts; the window
# module is private to the program, and a package without maintainer scripts leaves nothing
# behind when removed.
set(root "${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE elves LIST_DIRECTORIES false RELATIVE "${root}" "${root}/usr/bin/*" "${root}/usr/lib/*")
if(NOT elves)
  message(FATAL_ERROR "no program files staged in ${root}")
endif()
find_program(HALDEN_SHLIBDEPS dpkg-shlibdeps REQUIRED)
# dpkg-shlibdeps reads the source package's control file; an empty one will do. As with CPack's
# scan, a library that no installed package accounts for is passed over rather than an error.
file(MAKE_DIRECTORY "${root}/debian")
file(WRITE "${root}/debian/control" "")
execute_process(COMMAND ${HALDEN_SHLIBDEPS} --ignore-missing-info -O ${elves} WORKING_DIRECTORY "${root}"
                OUTPUT_VARIABLE found ERROR_VARIABLE complaints RESULT_VARIABLE result
                OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE_RECURSE "${root}/debian")
if(NOT result EQUAL 0 OR NOT found MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps failed (${result}): ${complaints}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
