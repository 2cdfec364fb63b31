# Writes a gzip-compressed man page: from a program's --help with help2man when PROGRAM is
# given, otherwise from the page source INPUT.
#   cmake -DOUTPUT=page.1.gz [-DPROGRAM=exe -DVERSION=x -DNAME=text -DHELP2MAN=path]
#         [-DINPUT=page.1] -P man_page.cmake
string(REGEX REPLACE "\\.gz$" "" page "${OUTPUT}")
# Ninja makes an output's folder before the rule runs; the Makefile generators do not.
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
if(PROGRAM)
  get_filename_component(program_name "${PROGRAM}" NAME)
  # The version is given, not asked for: the program's version option may change its name.
  execute_process(
    COMMAND "${HELP2MAN}" --no-info --section=1 "--name=${NAME}"
            "--version-string=${program_name} ${VERSION}" "--output=${page}" "${PROGRAM}"
    RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "help2man could not read ${PROGRAM} --help: ${error}")
  endif()
else()
  configure_file("${INPUT}" "${page}" @ONLY)
endif()
# -n leaves the time and name out, so the same page gives the same bytes.
execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${page}")
endif()
