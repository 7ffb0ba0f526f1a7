"""A folder served on 127.0.0.1 as a good static web host serves it, for the
browser: .wasm files as application/wasm; a file's gzip copy beside it
(FILE.gz) to a browser that takes gzip; every file to be checked with the
server before it is used again (the site's names stay the same from build
to build), which costs a 304 where it has not changed; nothing logged.
A file named in the server's held (name: threading.Event) is answered once
its event is set, as a slow network would.
"""
import email.utils
import functools
import http.server
import os
import threading


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}
    # A response's headers and body go out as two writes: with Nagle's
    # algorithm the body would wait for the browser's delayed ACK of the
    # headers, up to 40 ms a file, which web servers do not make anyone wait.
    disable_nagle_algorithm = True

    def send_head(self):
        path = self.translate_path(self.path)
        held = self.server.held.get(os.path.basename(path))
        if held:
            held.wait(30)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        if "gzip" not in self.headers.get("Accept-Encoding", "") or not os.path.isfile(path + ".gz"):
            return super().send_head()
        compressed = open(path + ".gz", "rb")
        status = os.fstat(compressed.fileno())
        try:
            unchanged = email.utils.parsedate_to_datetime(self.headers["If-Modified-Since"]).timestamp() >= \
                int(status.st_mtime)
        except (TypeError, ValueError):
            unchanged = False
        if unchanged:
            compressed.close()
            self.send_response(304)
            self.end_headers()
            return None
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(status.st_size))
        self.send_header("Last-Modified", email.utils.formatdate(status.st_mtime, usegmt=True))
        self.end_headers()
        return compressed

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")
        super().end_headers()

    def log_message(self, *args):
        pass


def serve(folder, handler=SiteHandler, port=0):
    """The server, answering on the port (a free one unless told) until shut down."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port),
                                             functools.partial(handler, directory=str(folder)))
    server.held = {}
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


if __name__ == "__main__":
    # local_site.py <folder> [port]: serve it until ended, the port on the first line.
    import sys
    import time
    site = serve(sys.argv[1], port=int(sys.argv[2]) if len(sys.argv) > 2 else 0)
    print(site.server_address[1], flush=True)
    while True:
        time.sleep(3600)
