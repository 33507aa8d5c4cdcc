# Run by CPack once the package's files are staged, before they are packed:
# every DLL and program of the package is padded to where a signature would
# start, and with GLYPHOR_SIGN_PFX set, signed; without it, they are packed
# unsigned. The signing test runs it too, with CPACK_TEMPORARY_DIRECTORY
# naming a folder of copies.
file(GLOB_RECURSE modules ${CPACK_TEMPORARY_DIRECTORY}/*.dll ${CPACK_TEMPORARY_DIRECTORY}/*.exe)
execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/pad_modules.py ${modules} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The package's modules could not be padded for signing")
endif()
if("$ENV{GLYPHOR_SIGN_PFX}" STREQUAL "")
  return()
endif()
list(LENGTH modules count)
message(STATUS "Signing the ${count} DLLs and programs of the package")
execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/sign.sh ${modules} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The package's modules could not be signed")
endif()
