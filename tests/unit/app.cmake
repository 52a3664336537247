# Unit tests of the portable application: the commands over the fake seam and the designs.
kelo_unit_test(app_tests
  SOURCES
    unit/app/commands_test.cpp
    unit/app/design_test.cpp
    unit/app/written_texts_test.cpp
  LIBS kelo_app)
