# Every compiler flag of the project, for every target of ours.
option(QM_WARNINGS_AS_ERRORS "Fail the build on any warning (CI turns this on)" OFF)

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
if(QM_WARNINGS_AS_ERRORS)
  add_compile_options(-Werror)
endif()

if(EMSCRIPTEN)
  # The command line's parser reports a bad option by an exception, which the page's build
  # must catch as the tool does.
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions)
endif()

if(WIN32)
  # SSE arithmetic instead of the x87 unit's extended precision, so that the modules' float
  # results (and the files made from them) equal the native build's.
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# Libraries whose inner loops are the product's speed (the simplifier) build at -O3 in the
# optimised builds; they add QM_HOT_LOOP_FLAGS to their own options.
if(CMAKE_BUILD_TYPE MATCHES "Rel")
  set(QM_HOT_LOOP_FLAGS -O3)
else()
  set(QM_HOT_LOOP_FLAGS)
endif()
