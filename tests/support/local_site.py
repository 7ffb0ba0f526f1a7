"""A folder served on 127.0.0.1 as a static web host serves it, for the
browser: .wasm files as application/wasm, nothing logged.
"""
import functools
import http.server
import threading


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}
    # A response's headers and body go out as two writes: with Nagle's
    # algorithm the body would wait for the browser's delayed ACK of the
    # headers, up to 40 ms a file, which web servers do not make anyone wait.
    disable_nagle_algorithm = True

    def log_message(self, *args):
        pass


def serve(folder, handler=SiteHandler):
    """The server, answering on a free port until shut down."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(handler, directory=str(folder)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


if __name__ == "__main__":
    # local_site.py <folder>: serve it until ended, the port on the first line.
    import sys
    import time
    site = serve(sys.argv[1])
    print(site.server_address[1], flush=True)
    while True:
        time.sleep(3600)
