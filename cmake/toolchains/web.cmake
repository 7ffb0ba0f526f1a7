# WebAssembly with Debian's emscripten, on its own CMake platform file. The
# test programs run under Node: Node 20 needs --no-experimental-fetch to
# load emscripten 3.1.6's output, and em++'s optimizer finds Debian's acorn
# only through NODE_PATH.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
# C++ exceptions caught, as ArithmeticFault is (emscripten leaves catching
# out by default), with WebAssembly's own exception handling: emscripten's
# JavaScript-based kind would route every call that may throw through a
# JavaScript trampoline, a larger and slower module (Debian's emscripten
# ships its system libraries built both ways). And nothing that evaluates
# strings at run time, so that the page runs under a strict
# Content-Security-Policy.
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions -sDYNAMIC_EXECUTION=0")
