# Writes a C++ source that holds a JPEG file as a stored picture property
# value: a 1-byte class-name length, the class name "TJPEGImage", the file's
# length as a signed 32-bit little-endian count, then the file's bytes.
#
# cmake -DINPUT=<picture.jpg> -DOUTPUT=<source.cpp> -DSYMBOL=<array name> -P embed_picture.cmake
#
# The source defines `const unsigned char SYMBOL[]` and
# `const std::size_t SYMBOLSize`.

foreach(required INPUT OUTPUT SYMBOL)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "embed_picture.cmake: ${required} is not set")
    endif()
endforeach()

set(className "TJPEGImage")
file(SIZE "${INPUT}" pictureSize)
if(pictureSize EQUAL 0 OR pictureSize GREATER 2147483647)
    message(FATAL_ERROR "embed_picture.cmake: ${INPUT} has ${pictureSize} bytes; a stored picture holds 1 to 2147483647")
endif()

# Every value as "0xHH," so that the pieces join into one initialiser.
function(hexBytes value byteCount result)
    set(bytes "")
    foreach(index RANGE 1 ${byteCount})
        math(EXPR byte "${value} & 255" OUTPUT_FORMAT HEXADECIMAL)
        string(APPEND bytes "${byte},")
        math(EXPR value "${value} >> 8")
    endforeach()
    set(${result} "${bytes}" PARENT_SCOPE)
endfunction()

string(LENGTH "${className}" classNameLength)
hexBytes(${classNameLength} 1 lengthByte)
string(HEX "${className}" classNameHex)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," classNameBytes "${classNameHex}")
hexBytes(${pictureSize} 4 countBytes)
file(READ "${INPUT}" pictureHex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," pictureBytes "${pictureHex}")
# Sixteen values a line keeps the generated file readable (CMake's regular
# expressions have no counted repetition, hence the repeated group).
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 sixteenValues)
string(REGEX REPLACE "(${sixteenValues})" "\\1\n    " pictureBytes "${pictureBytes}")

file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by embed_picture.cmake; do not edit.
#include <cstddef>

extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;

const unsigned char ${SYMBOL}[] = {
    ${lengthByte}
    ${classNameBytes}
    ${countBytes}
    ${pictureBytes}
};
const std::size_t ${SYMBOL}Size = sizeof(${SYMBOL});
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
