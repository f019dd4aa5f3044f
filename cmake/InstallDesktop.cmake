# Run by `cmake --install` (see src/app/CMakeLists.txt) with QW_PREFIX, the
# prefix the install goes to, QW_DESTDIR and QW_SOURCE set.
set(root "${QW_DESTDIR}${QW_PREFIX}")

# html.dat is where a writable installation keeps its settings: a new
# install seeds it, a repeated one leaves the user's file alone.
set(settings "${root}/lib/quenwick/Data/Settings")
if(NOT EXISTS "${settings}/html.dat")
  message(STATUS "Installing: ${settings}/html.dat")
  file(COPY "${QW_SOURCE}/data/Settings/html.dat" DESTINATION "${settings}")
endif()

# The command on PATH is a link: the program finds Data/ beside its real
# file, which the link resolves to.
file(MAKE_DIRECTORY "${root}/bin")
message(STATUS "Installing: ${root}/bin/quenwick")
file(CREATE_LINK "../lib/quenwick/quenwick" "${root}/bin/quenwick" SYMBOLIC)

# The desktop entry starts the installed program by its full path.
file(READ "${QW_SOURCE}/data/desktop/quenwick.desktop.in" entry)
string(REPLACE "\\" "\\\\\\\\" program "${QW_PREFIX}/bin/quenwick")
string(REPLACE "\"" "\\\\\"" program "${program}")
string(REPLACE "@EXEC@" "\"${program}\"" entry "${entry}")
message(STATUS "Installing: ${root}/share/applications/quenwick.desktop")
file(WRITE "${root}/share/applications/quenwick.desktop" "${entry}")
