# Writes a C++ source holding the shipped table of guaranteed systems as a string constant.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/text_als_literal.cmake)
file(READ ${IN} text)
text_als_literal("${text}" literal)
file(WRITE ${OUT} "namespace pyra::system {\nconst char* Garantietabelle_Text() {\n  return ${literal};\n}\n}\n")
