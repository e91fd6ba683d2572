# Sourced by the scripts that need the Windows build: installs what is
# missing and builds the given targets of build/win (all without any).
# Use: source tools/win-build.sh; win_build [target...]
win_build() {
  bash tools/install-deps.sh
  cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  if [ $# -gt 0 ]; then
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build build/win "${targets[@]}"
  else
    cmake --build build/win
  fi
}
