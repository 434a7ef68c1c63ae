# Run by `cmake --install`: writes the desktop launcher with the installed
# program's full path (the prefix is known only now) and installs it into
# <prefix>/share/applications. BRIGHTFOLD_LAUNCHER_TEMPLATE, the program's
# path below the prefix and the build folder are set by the install rules.
cmake_policy(VERSION 3.25)
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(program "${prefix}/${BRIGHTFOLD_PROGRAM}")
# A launcher's command line: a path of plain characters stands as it is;
# any other is quoted, with `"`, `$`, "`" and "\" escaped inside the quotes,
# and every "\" doubled once more for the file's own string escapes.
if(program MATCHES "^[A-Za-z0-9/._+-]+$")
  set(BRIGHTFOLD_EXEC "${program}")
else()
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${program}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  set(BRIGHTFOLD_EXEC "\"${quoted}\"")
endif()
configure_file("${BRIGHTFOLD_LAUNCHER_TEMPLATE}" "${BRIGHTFOLD_LAUNCHER_BUILD}/brightfold.desktop" @ONLY)
file(INSTALL "${BRIGHTFOLD_LAUNCHER_BUILD}/brightfold.desktop"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${BRIGHTFOLD_APPLICATIONS}")
