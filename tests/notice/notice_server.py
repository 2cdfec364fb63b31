#!/usr/bin/python3
"""Serves the files of one folder on 127.0.0.1 for the notice tests.

Usage: notice_server.py FOLDER
Prints the chosen port on its first line. A file is sent as it is (status 200, exact bytes);
a missing one gives 404 with an empty body. A path that starts with /hang is accepted and never
answered; /cut promises 100,000 bytes, sends the first 1,000 of the file "cut.html" and closes
the connection; /hugeheader sends a header line of 2 MiB before the file "1.html". Each request's line and headers are appended to FOLDER/requests.log.
"""
import http.server
import os
import socketserver
import sys
import threading

folder = sys.argv[1]
log_lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with log_lock, open(os.path.join(folder, "requests.log"), "a", encoding="latin-1") as log:
            log.write(self.requestline + "\n" + str(self.headers) + "\n")
        if self.path.startswith("/hang"):
            threading.Event().wait()
        if self.path.startswith("/cut"):
            with open(os.path.join(folder, "cut.html"), "rb") as f:
                body = f.read()
            self.wfile.write(b"HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n" + body[:1000])
            self.wfile.flush()
            self.close_connection = True
            return
        if self.path.startswith("/hugeheader"):
            with open(os.path.join(folder, "1.html"), "rb") as f:
                body = f.read()
            try:
                self.wfile.write(b"HTTP/1.0 200 OK\r\nX-Padding: " + b"a" * (2 << 20) +
                                 b"\r\nContent-Length: " + str(len(body)).encode() + b"\r\n\r\n" + body)
            except (BrokenPipeError, ConnectionResetError):
                pass
            self.close_connection = True
            return
        name = os.path.join(folder, self.path.lstrip("/").split("?")[0])
        body = b""
        status = 404
        if os.path.isfile(name):
            with open(name, "rb") as f:
                body = f.read()
            status = 200
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def log_message(self, *args):
        pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def end_with_parent(parent):
    """A test that dies leaves no server behind to hold its output open."""
    while os.getppid() == parent:
        threading.Event().wait(0.5)
    os._exit(0)


server = Server(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
# The port is told: let go of the test's output, which its runner waits on.
devnull = os.open(os.devnull, os.O_RDWR)
os.dup2(devnull, 1)
os.dup2(devnull, 2)
threading.Thread(target=end_with_parent, args=(os.getppid(),), daemon=True).start()
server.serve_forever()
