# The junction box's board: 32-bit ARM (ARMv7-A, hard float) running Debian's armhf userland.
# Builds against the armhf packages installed beside the PC's (Debian multiarch), so the
# system root is the PC's own and the libraries are told apart by their architecture folder.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
# Debian's armhf C library and Qt keep a 32-bit time_t. The unit takes the date only from Qt, as
# 64-bit milliseconds, so -D_TIME_BITS=64 would change nothing of ours but the C library's
# types in our own objects, against Qt's: it is not set.

# Programs (compilers, Qt's moc and rcc) are the PC's; headers, libraries and package
# descriptions only the board's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Qt's code generators run on the PC: they come from the PC's Qt packages.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The unit's programs and tests run on the PC under user-mode emulation: test discovery and
# CTest start them through it.
find_program(KC40_QEMU_ARM NAMES qemu-arm-static qemu-arm)
if(KC40_QEMU_ARM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KC40_QEMU_ARM})
endif()
