# Each layer is a library whose headers are reachable only as "<layer>/<file>.h" through a
# folder of its own in the build tree. A target therefore sees the headers of the layers it
# links and no others: including a header of a layer above fails to compile.
function(reglin_layer name)
  set(root "${CMAKE_BINARY_DIR}/layers/${name}")
  file(MAKE_DIRECTORY "${root}")
  if(NOT EXISTS "${root}/${name}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${name}" "${root}/${name}" SYMBOLIC)
  endif()
  target_include_directories(${name} PUBLIC "${root}")
endfunction()
