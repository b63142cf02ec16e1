#!/usr/bin/env bash
# Installs what is missing, builds the project and starts Zudarozavudoza.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zudarozavudoza brindlex

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  cat >&2 <<'MSG'
Built, but there is no desktop to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).
Run ./run.sh from a terminal inside your X11 (or Wayland) desktop session,
or try it on a virtual screen:  xvfb-run -s '-screen 0 1280x1024x24' ./run.sh
The command-line tool works without a display:  build/tools/brindlex/brindlex --help
MSG
  exit 1
fi

exec build/app/zudarozavudoza "$@"
