# Writes a C++ source holding the built-in skin packages as byte arrays.
# Inputs: OUTPUT (the .cpp to write), NAMES (the package names, in list order) and
# SKIN_DIR (where NAME.skn lies).

set(text "// Generated from the built-in skin packages; do not edit.\n")
string(APPEND text "#include \"builtin_skin_packages.h\"\n\n")
string(APPEND text "namespace {\n")
set(table "")
foreach(name ${NAMES})
  file(READ ${SKIN_DIR}/${name}.skn hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  # Sixteen bytes to a line.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n  " bytes "${bytes}")
  string(APPEND text "const unsigned char k${name}[${size}] = {\n  ${bytes}\n};\n")
  string(APPEND table "    {\"${name}\", k${name}, sizeof(k${name})},\n")
endforeach()
string(APPEND text "} // namespace\n\n")
string(APPEND text "const std::vector<TspEmbeddedSkinPackage>& EmbeddedSkinPackages() {\n")
string(APPEND text "  static const std::vector<TspEmbeddedSkinPackage> packages = {\n${table}  };\n")
string(APPEND text "  return packages;\n}\n")

# Rewrite only on change, so an unchanged skin does not recompile the library.
set(old "")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL text)
  file(WRITE ${OUTPUT} "${text}")
endif()
