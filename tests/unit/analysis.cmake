# Unit tests of the text operations, the unescaping, the Analyze command and the request builder.

# The typical reply is compiled into the test so the Windows binary needs no path to the source
# tree under Wine.
set(kelo_reply_fixture ${CMAKE_SOURCE_DIR}/tests/fixtures/reply_typical.json)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kelo_reply_fixture})
file(READ ${kelo_reply_fixture} kelo_reply_hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" kelo_reply_escaped "${kelo_reply_hex}")
string(CONCAT kelo_reply_source
  "// Generated from tests/fixtures/reply_typical.json.\n"
  "#include <string_view>\n"
  "namespace kelo::testing {\n"
  "extern const std::string_view kTypicalReply;\n"
  "const std::string_view kTypicalReply = \"${kelo_reply_escaped}\";\n"
  "}  // namespace kelo::testing\n")
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/generated/reply_typical_fixture.cpp
  CONTENT "${kelo_reply_source}" @ONLY)

kelo_unit_test(analysis_tests
  SOURCES
    unit/analysis/text_test.cpp
    unit/analysis/unescape_test.cpp
    unit/analysis/analyze_command_test.cpp
    ${CMAKE_CURRENT_BINARY_DIR}/generated/reply_typical_fixture.cpp
  LIBS kelo_analysis)

kelo_unit_test(request_url_tests
  SOURCES unit/analysis/request_url_test.cpp
  LIBS kelo_app)
