# qm_embed_resources(<target> NAME FILE [NAME FILE ...])
# Makes a static library whose EmbeddedResources class (common/EmbeddedResources.h)
# finds each file's bytes under its resource name, for native builds. The Windows
# modules carry the same files as Win32 resources.
function(qm_embed_resources target)
  set(pairs ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_data.cpp)
  set(body "")
  set(table "")
  set(index 0)
  list(LENGTH pairs count)
  math(EXPR entries "${count} / 2")
  set(deps "")
  while(index LESS count)
    list(GET pairs ${index} name)
    math(EXPR next "${index} + 1")
    list(GET pairs ${next} file)
    get_filename_component(file ${file} ABSOLUTE)
    list(APPEND deps ${file})
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
    string(APPEND body "const std::uint8_t k${name}[] = {${hex}};\n")
    string(APPEND table "    {\"${name}\", {k${name}, sizeof k${name}}},\n")
    math(EXPR index "${index} + 2")
  endwhile()
  file(CONFIGURE OUTPUT ${out} CONTENT
"#include \"common/EmbeddedResources.h\"
#include <array>
#include <cstdint>
#include <utility>
namespace {
${body}
const std::array<std::pair<std::string_view, std::span<const std::uint8_t>>, ${entries}> kTable{{
${table}}};
} // namespace
std::span<const std::uint8_t> EmbeddedResources::Find(std::string_view name) const {
    for (const auto& entry : kTable)
        if (entry.first == name)
            return entry.second;
    return {};
}
" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${deps})
  add_library(${target} STATIC ${out})
  target_link_libraries(${target} PUBLIC qm_common)
endfunction()
