# Resources of the Windows files: a version resource for each, and for a program its icon (the
# Linux desktop icon packaging/qrbatch.svg rendered at 16, 32, 48 and 256 pixels) and a manifest.
#   qr_windows_resources(target FILE name.exe DESCRIPTION text [ICON] [MANIFEST file.in])
enable_language(RC)
find_program(QR_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QR_ICON_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

set(QR_WINDOWS_PACKAGING ${PROJECT_SOURCE_DIR}/packaging/windows)
set(QR_WINDOWS_RESOURCES ${CMAKE_BINARY_DIR}/resources)
set(QR_ICON_FILE ${QR_WINDOWS_RESOURCES}/qrbatch.ico)
set(QR_ICON_SIZES 16 32 48 256)

set(qr_icon_commands)
set(qr_icon_pngs)
foreach(size ${QR_ICON_SIZES})
  set(png ${QR_WINDOWS_RESOURCES}/qrbatch-${size}.png)
  list(APPEND qr_icon_pngs ${png})
  list(APPEND qr_icon_commands COMMAND ${QR_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
       ${PROJECT_SOURCE_DIR}/packaging/qrbatch.svg)
endforeach()
add_custom_command(OUTPUT ${QR_ICON_FILE}
  ${qr_icon_commands}
  COMMAND ${QR_ICON_PYTHON} ${QR_WINDOWS_PACKAGING}/make_icon.py ${QR_ICON_FILE} ${qr_icon_pngs}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/qrbatch.svg ${QR_WINDOWS_PACKAGING}/make_icon.py
  VERBATIM)
add_custom_target(qr_windows_icon DEPENDS ${QR_ICON_FILE})

string(REPLACE "." "," QR_RC_VERSION_COMMAS "${PROJECT_VERSION}.0")
set(QR_RC_VERSION4 "${PROJECT_VERSION}.0")

function(qr_windows_resources target)
  cmake_parse_arguments(arg "ICON" "FILE;DESCRIPTION;MANIFEST" "" ${ARGN})
  set(QR_RC_FILE ${arg_FILE})
  set(QR_RC_DESCRIPTION ${arg_DESCRIPTION})
  get_filename_component(QR_RC_INTERNAL ${arg_FILE} NAME_WE)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL SHARED_LIBRARY)
    set(QR_RC_FILETYPE VFT_DLL)
  else()
    set(QR_RC_FILETYPE VFT_APP)
  endif()
  set(QR_RC_EXTRA "")
  set(depends ${QR_WINDOWS_PACKAGING}/version.rc.in)
  if(arg_ICON)
    string(APPEND QR_RC_EXTRA "1 ICON \"${QR_ICON_FILE}\"\n")
    list(APPEND depends ${QR_ICON_FILE})
    add_dependencies(${target} qr_windows_icon)
  endif()
  if(arg_MANIFEST)
    set(manifest ${QR_WINDOWS_RESOURCES}/${QR_RC_INTERNAL}.manifest)
    configure_file(${arg_MANIFEST} ${manifest} @ONLY)
    # CREATEPROCESS_MANIFEST_RESOURCE_ID of type RT_MANIFEST
    string(APPEND QR_RC_EXTRA "1 24 \"${manifest}\"\n")
    list(APPEND depends ${manifest})
  endif()
  set(rc ${QR_WINDOWS_RESOURCES}/${QR_RC_INTERNAL}.rc)
  configure_file(${QR_WINDOWS_PACKAGING}/version.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
  target_sources(${target} PRIVATE ${rc})
endfunction()
