# pvstim_add_layer(<name> FOLDERS <folder>... [EXCLUDE <file>...] LINKS <target>...)
#
# One static library `pvstim_<name>` made of the sources of src/<folder>/. Its headers
# are reached only through an include root of its own in the build tree, a folder
# holding one link per source folder, so "framework/Label.h" is found by the layers
# that link the framework and by no other. An include that points up the layers
# then finds no file and the build fails.
function(pvstim_add_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS;EXCLUDE;LINKS")
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root})
  set(sources)
  foreach(folder IN LISTS arg_FOLDERS)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    file(GLOB found CONFIGURE_DEPENDS
      ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  foreach(excluded IN LISTS arg_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/src/${excluded})
  endforeach()
  add_library(pvstim_${name} STATIC ${sources})
  target_include_directories(pvstim_${name} PUBLIC ${root})
  target_link_libraries(pvstim_${name} PUBLIC ${arg_LINKS})
endfunction()
