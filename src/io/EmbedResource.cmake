# Turns a file into a C++ source defining a byte array and its size:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=Name -P EmbedResource.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")

# Sixteen bytes a line keeps the generated file readable.
set(lines "")
set(offset 0)
while(offset LESS hex_length)
  string(SUBSTRING "${hex}" ${offset} 32 chunk)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," chunk "${chunk}")
  string(APPEND lines "  ${chunk}\n")
  math(EXPR offset "${offset} + 32")
endwhile()

file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <cstddef>\n\n"
  "extern const unsigned char ${SYMBOL}[];\n"
  "extern const std::size_t ${SYMBOL}Size;\n\n"
  "// One byte more than the data, so an empty file still makes a valid array.\n"
  "const unsigned char ${SYMBOL}[] = {\n${lines}  0x00};\n"
  "const std::size_t ${SYMBOL}Size = ${size};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
