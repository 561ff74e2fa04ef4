# Package lists shared by the scripts (sourced, not run).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config
  libpng-dev libjpeg62-turbo-dev libgif-dev zlib1g-dev libdeflate-dev
  qt6-base-dev libx11-dev libxext-dev  # Qt 6 Widgets; Xlib with the shape extension
  libwayland-dev libwayland-bin wayland-protocols)  # the desktop as Wayland layer surfaces
# Running the program: a font for the menus; a virtual X screen where there is no display.
# File types (shared-mime-info) and their theme icons drawn from SVG (Qt's SVG
# plugins); Liberation Sans stands in for the Windows fonts skins name.
RUN_PACKAGES=(fonts-dejavu-core fonts-liberation2 libqt6svg6 shared-mime-info xvfb)
# The end-to-end tests also move and click the pointer (xdotool), set
# RandR monitors (libxrandr) and make a 200 % screen with Xft.dpi (xrdb); the
# layer surfaces are shown by a headless sway and read back with grim.
# Windows executables with icons to read: NSIS's stubs, and ones built at test
# time with llvm-rc and lld-link.
TEST_PACKAGES=(libgtest-dev libgmock-dev "${RUN_PACKAGES[@]}" xdotool faketime libxrandr-dev
  x11-xserver-utils nsis-common llvm-14 lld-14 sway grim)
# The idle peer of scripts/bench-idle (Conky), perf for profiles of the program,
# and xrdb for the benches' 200 % screens (Xft.dpi).
BENCH_PACKAGES=(libbenchmark-dev python3-pil conky-std linux-perf x11-xserver-utils)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The format check of CI (.clang-format).
LINT_PACKAGES=(clang-format)
