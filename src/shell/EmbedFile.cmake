# Writes the bytes of INPUT as a C++ array into OUTPUT.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT} "#pragma once\n// Generated from ${INPUT}.\nstatic const unsigned char AppIconData[] = {${bytes}};\n")
