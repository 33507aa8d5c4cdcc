# Two builds of one commit make the same modules, wherever their folders are
# (./run reproduce checks it). No path of the build's reaches a module: the
# compilers write the source folder as "." and the build folder as "build".
# The linker stamps each module with the time SOURCE_DATE_EPOCH names, which
# ./run sets to the last commit's; ./run package records it in the build
# folder's source-date-epoch, and every module is linked again when it
# changes, so that a package never carries the time of an older commit.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>
                    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>)

set(GLYPHOR_EPOCH_FILE ${CMAKE_BINARY_DIR}/source-date-epoch)
if(NOT EXISTS ${GLYPHOR_EPOCH_FILE})
  file(WRITE ${GLYPHOR_EPOCH_FILE} "")
endif()

# Every module of a directory and those below it links again when the
# recorded time changes.
function(glyphor_link_on_epoch directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$")
      set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${GLYPHOR_EPOCH_FILE})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory ${subdirectories})
    glyphor_link_on_epoch(${subdirectory})
  endforeach()
endfunction()
cmake_language(DEFER CALL glyphor_link_on_epoch ${CMAKE_SOURCE_DIR})
