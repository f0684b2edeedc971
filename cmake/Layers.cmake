# Each folder of src/ is a library whose headers are included as
# "folder/Header.h". A single src/ include directory would let any file
# include any other, so each library gets an include root of its own in the
# build tree, holding only a link named after its folder:
#
#   <build>/include/quelmora_calc/calc -> src/calc
#
# The root is a PUBLIC include directory: a file sees the headers of its own
# library and of the libraries it links, and an include against the
# dependency arrows fails to compile.
function(quelmora_layer_headers target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
