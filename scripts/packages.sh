# The Debian packages that building and testing Hulkfall need.
BUILD_PACKAGES=(cmake ninja-build g++ binutils)
TEST_PACKAGES=(libgtest-dev libgmock-dev)
