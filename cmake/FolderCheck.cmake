# A folder with a CMakeLists.txt that no add_subdirectory reaches builds nothing and runs
# nothing, without a word: its targets and tests simply do not exist. The configure step
# fails on such a folder instead. A configuration that leaves a folder out on purpose (the
# Windows tests in a native build, the benchmarks without QM_BUILD_BENCH) says so with
# qm_leave_out.

# qm_leave_out(<folder>...): folders (from the top of the tree) this configuration does not
# build, with everything under them.
function(qm_leave_out)
  set_property(GLOBAL APPEND PROPERTY QM_LEFT_OUT ${ARGN})
endfunction()

# The source folders under dir reached by add_subdirectory, dir included, relative to the top.
function(qm_added_folders dir out)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${dir})
  set(found ${relative})
  get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(child ${children})
    qm_added_folders(${child} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# qm_check_every_folder_built(): call once, at the end of the top CMakeLists.txt. Hidden
# folders and build folders (those holding a CMakeCache.txt) are not part of the tree.
function(qm_check_every_folder_built)
  qm_added_folders(${PROJECT_SOURCE_DIR} added)
  get_property(left_out GLOBAL PROPERTY QM_LEFT_OUT)
  file(GLOB tops RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/*)
  set(lists)
  foreach(top ${tops})
    set(path ${PROJECT_SOURCE_DIR}/${top})
    if(NOT IS_DIRECTORY ${path} OR top MATCHES "^\\." OR EXISTS ${path}/CMakeCache.txt
       OR path STREQUAL CMAKE_BINARY_DIR OR top STREQUAL "build")
      continue()
    endif()
    file(GLOB_RECURSE found RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
      ${path}/CMakeLists.txt)
    list(APPEND lists ${found})
  endforeach()
  set(missing)
  foreach(list ${lists})
    get_filename_component(folder ${list} DIRECTORY)
    if(folder IN_LIST added)
      continue()
    endif()
    set(meant FALSE)
    foreach(out ${left_out})
      if(folder STREQUAL out OR folder MATCHES "^${out}/")
        set(meant TRUE)
      endif()
    endforeach()
    if(NOT meant)
      list(APPEND missing ${folder})
    endif()
  endforeach()
  if(missing)
    list(JOIN missing ", " names)
    message(FATAL_ERROR "Folders with a CMakeLists.txt that are not part of the build: "
      "${names}. Add each with add_subdirectory, or name it in qm_leave_out where this "
      "configuration leaves it out on purpose.")
  endif()
endfunction()
