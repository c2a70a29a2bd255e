# Turns a file into a C++ source defining `std::span<const unsigned char> NAME()` in namespace nxui.
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=function -P EmbedBinary.cmake
file(READ ${INPUT} content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
file(WRITE ${OUTPUT}
"#include <span>\nnamespace nxui {\nstatic const unsigned char kData[] = {${bytes}};\n"
"std::span<const unsigned char> ${NAME}() { return kData; }\n}\n")
