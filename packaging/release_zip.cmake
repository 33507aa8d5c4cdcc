# Run by CPack once it has made the package: writes the bill of materials of
# the staged files and of the builds packed (each build's components.tsv),
# then makes the ZIP again of them, with their checksums, so that the same
# files make the same ZIP; prints the ZIP's SHA-256.
set(projects ${CPACK_INSTALL_CMAKE_PROJECTS})
set(components "")
while(projects)
  list(POP_FRONT projects build project component folder)
  list(APPEND components ${build}/components.tsv)
endwhile()
list(REMOVE_DUPLICATES components)
execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/bill_of_materials.py ${CPACK_TEMPORARY_DIRECTORY}
                        ${CPACK_GLYPHOR_SOURCE_DIR} ${CPACK_PACKAGE_VERSION} ${components}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The package's bill of materials could not be written")
endif()
execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/release_zip.py ${CPACK_TEMPORARY_DIRECTORY}
                        ${CPACK_PACKAGE_FILES}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The package's ZIP could not be made")
endif()
file(SHA256 ${CPACK_PACKAGE_FILES} sha256)
get_filename_component(zip ${CPACK_PACKAGE_FILES} NAME)
message(STATUS "SHA-256 of ${zip}: ${sha256}")
