# The Debian packages that building and testing Hulkfall need.
BUILD_PACKAGES=(cmake ninja-build g++ binutils libcli11-dev nlohmann-json3-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev util-linux valgrind clang libclang-rt-14-dev)
# The Windows flavour: cross compilers for both widths, and Wine to run the
# 64-bit one.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64)
