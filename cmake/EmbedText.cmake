# Turns a text file into a C++ source defining nxui::sim::EmbeddedDefaultScenario().
file(READ ${INPUT} content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
file(WRITE ${OUTPUT}
"#include <string_view>\nnamespace nxui::sim {\nstatic const char kData[] = {${bytes} 0};\n"
"std::string_view EmbeddedDefaultScenario() { return {kData, sizeof(kData) - 1}; }\n}\n")
