# Sourced by the browser build's scripts: Debian's emscripten as Qt's build expects an SDK.
# Qt's configure and its per-app finaliser look for $EMSDK/.emscripten naming the compiler's
# root and for emcc under that root; Debian lays emscripten out differently, so a small folder
# of links stands in for the SDK's.
cache="${VANTARO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantaro}"
EMSDK="$cache/emsdk-debian"
if [[ ! -x $EMSDK/upstream/emscripten/em++ ]]; then
  mkdir -p "$EMSDK/upstream/emscripten"
  echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" >"$EMSDK/.emscripten"
  for tool in emcc em++ emar emranlib; do
    ln -sfn "/usr/bin/$tool" "$EMSDK/upstream/emscripten/$tool"
  done
fi
export EMSDK
# emscripten's JavaScript tools need acorn, which Debian keeps where only Debian's node looks.
export NODE_PATH=/usr/share/nodejs
export EMSDK_PYTHON=/usr/bin/python3
emscripten_toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
