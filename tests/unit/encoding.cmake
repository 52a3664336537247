# Unit tests of the GB18030 codec; the comparison with glibc's iconv runs in the native tree only.
kelo_unit_test(encoding_tests
  SOURCES unit/encoding/gb18030_known_test.cpp
          unit/encoding/gb18030_malformed_test.cpp
          unit/encoding/gb18030_round_trip_test.cpp
  LIBS kelo_encoding)

if(NOT CMAKE_CROSSCOMPILING)
  kelo_unit_test(encoding_iconv_check
    SOURCES unit/encoding/gb18030_iconv_check.cpp
    LIBS kelo_encoding)
endif()
