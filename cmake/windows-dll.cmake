# Link options of the library on Windows: plain export names from the def file, no silent
# fix-up of a calling convention that does not match it, and no MinGW runtime DLLs to ship.
function(qr_windows_dll target def_file)
  target_sources(${target} PRIVATE ${def_file})
  target_link_options(${target} PRIVATE
    "LINKER:--kill-at"
    "LINKER:--disable-stdcall-fixup"
    "LINKER:--no-undefined"
    -static-libgcc
    -static-libstdc++)
  target_link_libraries(${target} PRIVATE gdi32 user32 kernel32)
  set_target_properties(${target} PROPERTIES LINK_DEPENDS ${def_file})
endfunction()
