#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 only, as a game portal serves the page: every file with its
type (the game's .wasm as application/wasm) and nothing cached. Prints the address to open.

Usage: serve.py FOLDER [PORT]   (PORT 0, the default, takes a free one)
"""

import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json"}

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    handler = functools.partial(Handler, directory=sys.argv[1])
    port = int(sys.argv[2]) if len(sys.argv) == 3 else 0
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
