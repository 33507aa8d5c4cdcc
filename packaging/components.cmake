# What the bill of materials says of this build, which
# packaging/bill_of_materials.py makes into sbom.spdx.json when the package is
# made: each runtime DLL's place in the package and each tool's role, with
# its licence and the Debian package it comes from. A line each, its fields
# separated by tabs: kind, place or role, SPDX licence expression, package,
# version, architecture, source package.
set(GLYPHOR_COMPONENTS "")
macro(glyphor_component kind what licence file)
  glyphor_debian_origin(${file} component)
  string(APPEND GLYPHOR_COMPONENTS "${kind}\t${what}\t${licence}\t${component_PACKAGE}\n")
endmacro()

foreach(dll ${GLYPHOR_LIBGCC_DLL_${GLYPHOR_ARCH}} libstdc++-6.dll)
  glyphor_component(runtime ${GLYPHOR_ARCH}/${dll} "GPL-3.0-or-later WITH GCC-exception-3.1"
                    ${GLYPHOR_RUNTIME_DLL_${dll}})
endforeach()
# winpthreads is MIT-licensed, the code of its header BSD-licensed.
glyphor_component(runtime ${GLYPHOR_ARCH}/libwinpthread-1.dll "MIT AND BSD-3-Clause"
                  ${GLYPHOR_RUNTIME_DLL_libwinpthread-1.dll})

find_program(GLYPHOR_RC_COMPILER ${CMAKE_RC_COMPILER} REQUIRED)
glyphor_component(tool "C compiler" GPL-3.0-or-later ${CMAKE_C_COMPILER})
glyphor_component(tool "C++ compiler" GPL-3.0-or-later ${CMAKE_CXX_COMPILER})
glyphor_component(tool linker GPL-3.0-or-later ${CMAKE_LINKER})
glyphor_component(tool "resource compiler" GPL-3.0-or-later ${GLYPHOR_RC_COMPILER})
file(WRITE ${CMAKE_BINARY_DIR}/components.tsv "${GLYPHOR_COMPONENTS}")
