# Debian packages the engine builds against (installed by scripts/setup).
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
find_package(Boost REQUIRED COMPONENTS filesystem system)
find_package(glfw3 3.3 REQUIRED)
# Xlib, for the window layer's handler of a lost display (GLFW 3 runs on X11).
find_package(X11 REQUIRED)
find_package(GLEW REQUIRED)
find_package(OpenGL REQUIRED)
find_package(PNG REQUIRED)
find_package(ZLIB REQUIRED)
find_package(tinyxml2 REQUIRED)
# FreeType bakes the game's font (AssetTools/FontBake).
find_package(Freetype REQUIRED)
pkg_check_modules(LUA52 REQUIRED IMPORTED_TARGET lua5.2)
# Dear ImGui with its back ends, used only by the editor bars' renderer (Graphics/EditorBars).
pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
# Sound output and decoding, used only by the audio layer (Platform/Audio).
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
if(QUILL_BUILD_TESTS)
    find_package(GTest REQUIRED)
    # The layering check (scripts/check_layers.py) uses the standard library alone; Debian's
    # interpreter, installed by scripts/setup, is preferred to any other python3 on the PATH.
    set(Python3_ROOT_DIR /usr)
    find_package(Python3 3.7 REQUIRED COMPONENTS Interpreter)
endif()
if(QUILL_BUILD_BENCHMARKS)
    find_package(benchmark REQUIRED)
endif()
