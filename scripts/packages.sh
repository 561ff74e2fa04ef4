# Package lists shared by the scripts (sourced, not run).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config
  libpng-dev libjpeg62-turbo-dev libgif-dev zlib1g-dev
  qt6-base-dev libx11-dev libxext-dev)  # Qt 6 Widgets; Xlib with the shape extension
# Running the program: a font for the menus; a virtual X screen where there is no display.
RUN_PACKAGES=(fonts-dejavu-core xvfb)
# The end-to-end tests also move and click the pointer (xdotool).
TEST_PACKAGES=(libgtest-dev libgmock-dev "${RUN_PACKAGES[@]}" xdotool faketime)
BENCH_PACKAGES=(libbenchmark-dev python3-pil)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
