# Build step (cmake -P): turns the PNGs named by the resource script into one C++ source holding
# them as byte arrays plus the lookup table. Inputs: RC_FILE, OUTPUT.
include("${CMAKE_CURRENT_LIST_DIR}/ImageList.cmake")
quivorant_read_image_list("${RC_FILE}" img)
get_filename_component(base "${RC_FILE}" DIRECTORY)

# CMake's expressions have no {n} repetition; 24 bytes to a line.
string(REPEAT "0x..," 24 row_of_bytes)
set(arrays "")
set(rows "")
foreach(id file IN ZIP_LISTS img_IDS img_FILES)
  file(READ "${base}/${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(${row_of_bytes})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "// ${file}\nconst unsigned char kImage${id}[] = {\n    ${bytes}\n};\n\n")
  string(APPEND rows "    {${id}, \"PNG\", kImage${id}, sizeof kImage${id}},\n")
endforeach()

file(WRITE "${OUTPUT}.tmp"
"// Generated from quivorant.rc by EmbedImages.cmake at build time; edit the images, not this.
#include \"resources/EmbeddedImageTable.h\"

namespace quivorant {

namespace {

${arrays}}  // namespace

const EmbeddedResource kEmbeddedImages[] = {
${rows}};

const std::size_t kEmbeddedImageCount = sizeof kEmbeddedImages / sizeof kEmbeddedImages[0];

}  // namespace quivorant
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
