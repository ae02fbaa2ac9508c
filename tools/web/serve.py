#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 only, as a game portal serves the page: every file with its
type (the game's .wasm as application/wasm) and nothing cached. Prints the address to open.

Usage: serve.py FOLDER [PORT] [--as-host]   (PORT 0, the default, takes a free one)
--as-host serves as many hosts do: every file may be cached for an hour, and index.html is
answered by a redirect to its folder's "pretty" address.
"""

import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json"}
    as_host = False

    def do_GET(self):
        path, _, query = self.path.partition("?")
        if self.as_host and path.endswith("/index.html"):
            self.send_response(301)
            self.send_header("Location", path[: -len("index.html")] + (query and "?" + query))
            self.end_headers()
            return
        super().do_GET()

    def end_headers(self):
        self.send_header("Cache-Control", "max-age=3600" if self.as_host else "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass


def main():
    args = [a for a in sys.argv[1:] if a != "--as-host"]
    if len(args) not in (1, 2):
        sys.exit(__doc__)
    Handler.as_host = "--as-host" in sys.argv
    handler = functools.partial(Handler, directory=args[0])
    port = int(args[1]) if len(args) == 2 else 0
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
