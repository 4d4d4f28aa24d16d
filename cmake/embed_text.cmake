# Writes a C++ source and header that hold the bytes of INPUT as
# brisolt::embedded::SYMBOL. Run by brisolt_embed_text() at build time.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")

# One string literal line per 32 bytes; every byte becomes a \xNN escape, and
# each escape ends where the next begins.
string(REPEAT "[0-9a-f]" 64 line_of_hex)
string(REGEX REPLACE "(${line_of_hex})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
string(REGEX REPLACE "\n$" "" escaped "${escaped}")
string(REPLACE "\n" "\"\n    \"" escaped "${escaped}")
set(lines "    \"${escaped}\"\n")

file(WRITE "${HEADER}" "// Generated from ${INPUT}; do not edit.\n#pragma once\n#include <string_view>\n\nnamespace brisolt::embedded {\nextern const std::string_view ${SYMBOL};\n}\n")
file(WRITE "${SOURCE}" "// Generated from ${INPUT}; do not edit.\n#include \"embedded/${SYMBOL}.h\"\n\nnamespace brisolt::embedded {\nnamespace {\nconstexpr char kBytes[] =\n${lines};\n}\nconst std::string_view ${SYMBOL}{kBytes, ${byte_count}};\n}\n")
