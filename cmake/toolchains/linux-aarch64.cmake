# 64-bit ARM Linux (Debian arm64, Raspberry Pi OS 64-bit), cross-built with
# Debian's cross compiler against the arm64 libraries installed beside this
# machine's own (multiarch). The tests run under qemu-aarch64, which takes
# the arm64 C library and loader from /.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /)
# Qt's code generators (moc, uic, rcc) are this machine's own.
set(QT_HOST_PATH /usr)
# pkg-config, which Qt's lookup of xcb runs, reads the arm64 .pc files.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
