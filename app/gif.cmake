# The GIF decoder the Windows program uses to show the About banner; portable, no dependencies.
add_library(kelo_gif STATIC ${CMAKE_CURRENT_LIST_DIR}/gif_image.cpp)
target_include_directories(kelo_gif PUBLIC ${CMAKE_SOURCE_DIR})
kelo_warnings(kelo_gif)
