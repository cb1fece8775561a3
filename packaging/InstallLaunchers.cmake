# Included by `cmake --install` (see CMakeLists.txt here): writes the launcher
# entry and the D-Bus service with the installed binary's full path and
# installs them. CMAKE_INSTALL_PREFIX is the prefix of this installation;
# file(INSTALL) adds DESTDIR.

function(nivora_full_dir out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

nivora_full_dir(bindir "${NIVORA_INSTALL_BINDIR}")
nivora_full_dir(datadir "${NIVORA_INSTALL_DATADIR}")

# Desktop entries split Exec on spaces; a path with one needs quoting.
set(NIVORA_EXEC "${bindir}/nivora")
if(NIVORA_EXEC MATCHES "[ \t\"'\\\\$`]")
  message(FATAL_ERROR "Nivora: install prefix \"${CMAKE_INSTALL_PREFIX}\" has characters a launcher "
                      "entry cannot name simply; choose a prefix without spaces or quotes.")
endif()

set(staged "${NIVORA_PACKAGING_BINARY}/staged")
configure_file("${NIVORA_PACKAGING_SOURCE}/app.nivora.Nivora.desktop.in" "${staged}/app.nivora.Nivora.desktop" @ONLY)
configure_file("${NIVORA_PACKAGING_SOURCE}/app.nivora.Nivora.service.in" "${staged}/app.nivora.Nivora.service" @ONLY)

file(INSTALL "${staged}/app.nivora.Nivora.desktop" DESTINATION "${datadir}/applications")
file(INSTALL "${staged}/app.nivora.Nivora.service" DESTINATION "${datadir}/dbus-1/services")
