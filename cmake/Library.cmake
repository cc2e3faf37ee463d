# qm_library(<name> [STATIC|OBJECT|INTERFACE] DIRS <folder>... [SOURCES <file>...] [DEPS <target>...])
#
# One library per folder of the tree (a win32/ subfolder is a library of its own). Its
# sources are the folder's .cpp files unless SOURCES names them; a folder of headers only is
# an interface library. Headers are included by
# their path from the top of the tree ("plugin/mesh/MeshBuffers.h"), but each library sees
# only its own folders and those of the libraries it links: the folder's headers are linked
# into a private include root (build/include/<name>/<folder>/), which the library publishes
# to whatever links it. An include of a library that is not a dependency fails to compile.
function(qm_library name)
  cmake_parse_arguments(ARG "STATIC;OBJECT;INTERFACE" "" "DIRS;SOURCES;DEPS" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  qm_mirror_headers(${root} ${ARG_DIRS})
  set(sources ${ARG_SOURCES})
  foreach(dir ${ARG_DIRS})
    if(NOT ARG_SOURCES)
      file(GLOB dir_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
      list(APPEND sources ${dir_sources})
    endif()
  endforeach()

  if(ARG_INTERFACE OR NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  if(ARG_OBJECT)
    add_library(${name} OBJECT ${sources})
  else()
    add_library(${name} STATIC ${sources})
  endif()
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# qm_mirror_headers(<root> <folder>...): links the headers of each folder (not of its
# subfolders) into <root>/<folder>/, replacing what was there.
function(qm_mirror_headers root)
  file(REMOVE_RECURSE ${root})
  foreach(dir ${ARGN})
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    file(MAKE_DIRECTORY ${root}/${dir})
    foreach(header ${headers})
      get_filename_component(file ${header} NAME)
      file(CREATE_LINK ${header} ${root}/${dir}/${file} SYMBOLIC)
    endforeach()
  endforeach()
endfunction()

# qm_own_headers(<target>): the target may include the headers of the folder that defines
# it (a test or benchmark program's helpers), by their path from the top of the tree.
function(qm_own_headers target)
  file(RELATIVE_PATH dir ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  qm_mirror_headers(${root} ${dir})
  target_include_directories(${target} PRIVATE ${root})
endfunction()
