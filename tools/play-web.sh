#!/usr/bin/env bash
# Builds the browser edition and serves it on this machine only (127.0.0.1), printing the
# address to open and a shared link that starts a game with the defaults at once.
# Ctrl+C stops the server. VELMORIA_WEB_PORT (default 8000) chooses the port.
set -euo pipefail
. "$(dirname "$0")/wine-lib.sh"
port=${VELMORIA_WEB_PORT:-8000}

"$velmoria_tools/setup.sh"
build_targets web velmoria_web velmoria_site

url="http://127.0.0.1:$port/"
echo "Velmoria in a browser: $url"
echo "A shared game (the defaults, started at once):"
echo "  ${url}?f=2000,0.5,0.2,2000,0.5,0.2,2000,0.5,0.2,2000,0.5,0.2,0.1,0.1,0.1,0.1&start=1"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$(build_dir_of web)/site"
