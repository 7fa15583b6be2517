# Writes a C++ source holding the two history files as string constants.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/text_als_literal.cmake)
file(READ ${IN_DRAWS} draws)
file(READ ${IN_PRIZES} prizes)
text_als_literal("${draws}" lit_draws)
text_als_literal("${prizes}" lit_prizes)
file(WRITE ${OUT} "#include \"historie.h\"\nnamespace pyra::historie {\nconst char* const ziehungen_csv =\n${lit_draws};\nconst char* const gewinne_csv =\n${lit_prizes};\n}\n")
