# Package lists shared by the scripts (sourced, not run).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config
  libpng-dev libjpeg62-turbo-dev libgif-dev zlib1g-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev)
BENCH_PACKAGES=(libbenchmark-dev python3-pil)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
