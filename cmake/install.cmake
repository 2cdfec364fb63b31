# What `cmake --install` puts where, the files other programs build against (pkg-config and a
# CMake package) and the man pages; packaging/debian splits them into Debian packages.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QR_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(QR_PACKAGE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QRCodeWin32)
set(QR_LIBRARY_SOVERSION 1)

install(FILES ${PROJECT_SOURCE_DIR}/qrlib/include/qrcodewin32.h
              ${PROJECT_SOURCE_DIR}/qrlib/include/qrdevice.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
install(FILES ${PROJECT_SOURCE_DIR}/examples/qr_client.c
              ${PROJECT_SOURCE_DIR}/examples/CMakeLists.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

if(WIN32)
  # There the build's QRCodeWin32.dll already is the library under its proper name.
  install(TARGETS qrlib RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
                        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  return()
endif()

# Programs link the library as libQRCodeWin32.so with a SONAME, while the window program carries
# and loads the file "QRCodeWin32.dll". So the installed library is a second link of qrlib: the
# same sources, archives and link options, only the name and version differ.
get_target_property(qr_lib_dir qrlib SOURCE_DIR)
get_target_property(qr_lib_sources qrlib SOURCES)
list(TRANSFORM qr_lib_sources PREPEND ${qr_lib_dir}/ REGEX "^[^/]")
add_library(qrcodewin32_shared SHARED ${qr_lib_sources})
foreach(property LINK_LIBRARIES LINK_OPTIONS LINK_DEPENDS COMPILE_DEFINITIONS COMPILE_OPTIONS
                 INCLUDE_DIRECTORIES CXX_VISIBILITY_PRESET VISIBILITY_INLINES_HIDDEN)
  get_target_property(value qrlib ${property})
  if(value)
    set_property(TARGET qrcodewin32_shared PROPERTY ${property} "${value}")
  endif()
endforeach()
target_include_directories(qrcodewin32_shared INTERFACE
  $<BUILD_INTERFACE:${qr_lib_dir}/include> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
set_target_properties(qrcodewin32_shared PROPERTIES
  OUTPUT_NAME QRCodeWin32 EXPORT_NAME QRCodeWin32
  VERSION ${PROJECT_VERSION} SOVERSION ${QR_LIBRARY_SOVERSION}
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

install(TARGETS qrcodewin32_shared EXPORT QRCodeWin32Targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT QRCodeWin32Targets NAMESPACE QRCodeWin32:: DESTINATION ${QR_PACKAGE_CMAKE_DIR})
configure_package_config_file(${QR_PACKAGING}/QRCodeWin32Config.cmake.in
  ${CMAKE_BINARY_DIR}/packaging/QRCodeWin32Config.cmake INSTALL_DESTINATION ${QR_PACKAGE_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/QRCodeWin32ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/packaging/QRCodeWin32Config.cmake
              ${CMAKE_BINARY_DIR}/packaging/QRCodeWin32ConfigVersion.cmake
        DESTINATION ${QR_PACKAGE_CMAKE_DIR})

# The .pc file finds the prefix from its own place, so an installation can be moved.
file(RELATIVE_PATH QR_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QR_PC_TO_PREFIX "${QR_PC_TO_PREFIX}")
configure_file(${QR_PACKAGING}/qrcodewin32.pc.in ${CMAKE_BINARY_DIR}/packaging/qrcodewin32.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/qrcodewin32.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(QR_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(QR_MAN_PAGES)

if(TARGET qrbatch-cli)
  install(TARGETS qrbatch-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${QR_PACKAGING}/qrbatch-cli.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME qrbatch-cli)
  # The page follows whatever the built program's --help says.
  find_program(QR_HELP2MAN help2man)
  if(QR_HELP2MAN)
    add_custom_command(OUTPUT ${QR_MAN_DIR}/qrbatch-cli.1.gz
      COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${QR_HELP2MAN} -DPROGRAM=$<TARGET_FILE:qrbatch-cli>
              -DVERSION=${PROJECT_VERSION} "-DNAME=write one QR Code image per line of text"
              -DOUTPUT=${QR_MAN_DIR}/qrbatch-cli.1.gz -P ${QR_PACKAGING}/man_page.cmake
      DEPENDS qrbatch-cli ${QR_PACKAGING}/man_page.cmake VERBATIM)
    list(APPEND QR_MAN_PAGES ${QR_MAN_DIR}/qrbatch-cli.1.gz)
  else()
    message(WARNING "help2man not found: qrbatch-cli is installed without its man page")
  endif()
endif()

if(TARGET qrbatch)
  # The window program writes into its own folder, so it is installed out of the way with the
  # library file it loads, and bin/qrbatch starts a per-user copy of the two.
  set(QR_PROGRAM_FOLDER ${CMAKE_INSTALL_LIBEXECDIR}/qrbatch)
  install(TARGETS qrbatch RUNTIME DESTINATION ${QR_PROGRAM_FOLDER})
  install(FILES $<TARGET_FILE:qrlib> DESTINATION ${QR_PROGRAM_FOLDER})
  file(RELATIVE_PATH QR_BIN_TO_PROGRAM_FOLDER /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${QR_PROGRAM_FOLDER})
  configure_file(${QR_PACKAGING}/qrbatch.in ${CMAKE_BINARY_DIR}/packaging/qrbatch @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/qrbatch DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${QR_PACKAGING}/qrbatch.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QR_PACKAGING}/qrbatch.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  add_custom_command(OUTPUT ${QR_MAN_DIR}/qrbatch.1.gz
    COMMAND ${CMAKE_COMMAND} -DINPUT=${QR_PACKAGING}/qrbatch.1.in
            -DPROJECT_VERSION=${PROJECT_VERSION} -DOUTPUT=${QR_MAN_DIR}/qrbatch.1.gz
            -P ${QR_PACKAGING}/man_page.cmake
    DEPENDS ${QR_PACKAGING}/qrbatch.1.in ${QR_PACKAGING}/man_page.cmake VERBATIM)
  list(APPEND QR_MAN_PAGES ${QR_MAN_DIR}/qrbatch.1.gz)
endif()

if(QR_MAN_PAGES)
  add_custom_target(qr_man_pages ALL DEPENDS ${QR_MAN_PAGES})
  install(FILES ${QR_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The Debian packages are made from these rules by packaging/debian (scripts/package).
