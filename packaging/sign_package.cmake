# Run by CPack once the package's files are staged, before they are packed:
# with GLYPHOR_SIGN_PFX set, every DLL and program of the package is signed;
# without it, they are packed as built. The signing test runs it too, with
# CPACK_TEMPORARY_DIRECTORY naming a folder of copies.
if("$ENV{GLYPHOR_SIGN_PFX}" STREQUAL "")
  return()
endif()
file(GLOB_RECURSE modules ${CPACK_TEMPORARY_DIRECTORY}/*.dll ${CPACK_TEMPORARY_DIRECTORY}/*.exe)
list(LENGTH modules count)
message(STATUS "Signing the ${count} DLLs and programs of the package")
execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/sign.sh ${modules} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The package's modules could not be signed")
endif()
