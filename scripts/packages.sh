# The Debian packages that building and testing Hulkfall need.
BUILD_PACKAGES=(cmake ninja-build g++ binutils libcli11-dev nlohmann-json3-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev)
