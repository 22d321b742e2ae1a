# ravelin_write_map(TARGET)
# After each link of TARGET (a shared library or program), writes its map file beside it: the same
# name with the extension ".map" (libravelin.so -> libravelin.map). The debug log reads it to name
# the source line and function of a fault. Source files below the source tree are named relative
# to it.
function(ravelin_write_map target)
  add_dependencies(${target} rvlmapgen)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND rvlmapgen --root ${CMAKE_SOURCE_DIR} $<TARGET_FILE:${target}>
            $<PATH:REPLACE_EXTENSION,LAST_ONLY,$<TARGET_FILE:${target}>,.map>
    COMMENT "Writing the map file of ${target}"
    VERBATIM)
endfunction()
