# Warnings for every target of ours.
add_compile_options(-Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
