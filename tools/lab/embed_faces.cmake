# Writes a C++ source holding the committed faces of both decks, so that
# bluffwick-lab carries them and never reads the source tree when it runs.
# -DRES_DIR=<res folder> -DOUTPUT=<file.cpp>
set(decks "102;202")
string(REPEAT "0x..," 24 line)
set(arrays "")
set(table "")
foreach(first IN LISTS decks)
  string(APPEND table "    {\n")
  foreach(code RANGE 51)
    math(EXPR id "${first} + ${code}")
    file(GLOB found "${RES_DIR}/${id}_*.bmp")
    list(LENGTH found count)
    if(NOT count EQUAL 1)
      message(FATAL_ERROR "expected one ${RES_DIR}/${id}_*.bmp, found ${count}")
    endif()
    file(READ "${found}" bytes HEX)
    string(LENGTH "${bytes}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
    # Lines of 24 bytes keep the file readable in an editor.
    string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
    get_filename_component(name "${found}" NAME)
    string(APPEND arrays "// ${name}\nconst unsigned char Face${id}[${size}] = {\n${bytes}\n};\n")
    string(APPEND table "        {Face${id}, ${size}},\n")
  endforeach()
  string(APPEND table "    },\n")
endforeach()
file(WRITE "${OUTPUT}.new"
  "// Written by tools/lab/embed_faces.cmake from res/; do not edit.\n"
  "#include \"lab_faces.h\"\n\nnamespace {\n\n${arrays}\n}  // namespace\n\n"
  "const LabFaceFile LabFaceFiles[2][52] = {\n${table}};\n")
# Only a changed file is rewritten, so an unchanged res/ recompiles nothing.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
