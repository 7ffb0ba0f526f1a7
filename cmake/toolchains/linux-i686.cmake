# 32-bit x86 Linux: the calculation core compiled as the 32-bit Windows build
# compiles it (SSE2 arithmetic), and run under qemu-i386 with the cross C
# library, which needs no kernel support for 32-bit programs. Debian's i686
# cross compiler, not g++-multilib: the multilib packages conflict with
# every cross compiler, the arm64 and s390x ones among them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386 -L /usr/i686-linux-gnu)
