# Unit tests of the GIF decoder.

# The banner is compiled into the test so the Windows binary needs no path to the source tree
# under Wine.
set(kelo_banner_gif ${CMAKE_SOURCE_DIR}/resources/banner.gif)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kelo_banner_gif})
file(READ ${kelo_banner_gif} kelo_banner_hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," kelo_banner_bytes "${kelo_banner_hex}")
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/generated/banner_fixture.cpp
  CONTENT "// Generated from resources/banner.gif.\n#include \"unit/gif/banner_fixture.h\"\nnamespace kelo::testing {\nnamespace {\nconst std::uint8_t kBytes[] = {${kelo_banner_bytes}};\n}\nconst std::span<const std::uint8_t> kBannerGif{kBytes};\n}\n"
  @ONLY)

kelo_unit_test(gif_tests
  SOURCES
    unit/gif/gif_builder.cpp
    unit/gif/gif_decode_test.cpp
    unit/gif/gif_malformed_test.cpp
    ${CMAKE_CURRENT_BINARY_DIR}/generated/banner_fixture.cpp
  LIBS kelo_gif)
