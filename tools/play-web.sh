#!/usr/bin/env bash
# Builds the browser edition and serves it on this machine only (127.0.0.1), printing the
# address to open and a shared link that starts a game with the defaults at once.
# Ctrl+C stops the server. VELMORIA_WEB_PORT (default 8000) chooses the port.
set -euo pipefail
. "$(dirname "$0")/wine-lib.sh"
port=${VELMORIA_WEB_PORT:-8000}
if ! [[ $port =~ ^[0-9]+$ ]] || ((port < 1 || port > 65535)); then
  echo "play-web: VELMORIA_WEB_PORT is a port number from 1 to 65535, not '$port'" >&2
  exit 2
fi

"$velmoria_tools/setup.sh"
# Another server on the port would answer at the address printed below. Bound as the server
# binds it, so that a port that a stopped server left waiting to close counts as free.
if ! python3 -c 'import socket, sys
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1])))' "$port" 2>/dev/null; then
  echo "play-web: port $port is in use; set VELMORIA_WEB_PORT to another" >&2
  exit 1
fi
build_targets web velmoria_web velmoria_site

url="http://127.0.0.1:$port/"
echo "Velmoria in a browser: $url"
echo "A shared game (the defaults, started at once):"
echo "  ${url}?f=2000,0.5,0.2,2000,0.5,0.2,2000,0.5,0.2,2000,0.5,0.2,0.1,0.1,0.1,0.1&start=1"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$(build_dir_of web)/site"
