#!/usr/bin/env python3
"""A small download service for tests and demos, on loopback only.

It serves packages the way the product's download service does: a short
address "/software/<id>" answers with a redirect to "/<md5>/<name>", the final
address reports the length on HEAD, honours Range with 206 and Content-Range,
and never compresses unless told to. Faults are injected on request, from the
command line, so that a test can script a misbehaving server:

  --drop-after N --drop-times K   close the connection after N body bytes,
                                  for the first K body requests
  --stall-after N --stall-times K stop sending after N body bytes and keep the
                                  connection open, for the first K requests
  --status CODE --status-times K  answer body requests with CODE (K times,
                                  0 = always); --status-get-only spares HEAD
  --ignore-range                  answer ranged requests with the whole body
  --folder TEXT                   redirect into folder TEXT instead of the md5
  --rate BYTES                    send at most BYTES per second per request
  --gzip                          compress the body when the client accepts it
  --no-length                     HEAD without Content-Length

The port it listens on is written to --port-file (and printed as the first
line of standard output). Every request is appended to --log-file as
"METHOD PATH RANGE ACCEPT-ENCODING", with "-" for a missing header.
"""

import argparse
import gzip
import hashlib
import http.server
import os
import socket
import ssl
import sys
import threading
import time


class Package:
    def __init__(self, ident, path, folder):
        self.ident = ident
        self.path = path
        self.name = os.path.basename(path)
        self.folder = folder or file_md5(path)
        self.size = os.path.getsize(path)


def file_md5(path):
    digest = hashlib.md5()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


class Budget:
    """How many more requests a fault applies to; 0 at the start means always."""

    def __init__(self, times):
        self.left = times
        self.always = times == 0
        self.lock = threading.Lock()

    def take(self):
        with self.lock:
            if self.always:
                return True
            if self.left > 0:
                self.left -= 1
                return True
            return False


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "VantyxDownloadService/1.0"

    def log_message(self, *args):
        pass

    def record(self):
        opts = self.server.options
        if not opts.log_file:
            return
        line = "%s %s %s %s\n" % (
            self.command,
            self.path,
            self.headers.get("Range", "-"),
            self.headers.get("Accept-Encoding", "-"),
        )
        with self.server.log_lock:
            with open(opts.log_file, "a") as f:
                f.write(line)

    def do_HEAD(self):
        self.handle_request(head=True)

    def do_GET(self):
        self.handle_request(head=False)

    def base_url(self):
        scheme = "https" if self.server.tls else "http"
        host, port = self.server.server_address[:2]
        return "%s://%s:%d" % (scheme, host, port)

    def handle_request(self, head):
        self.record()
        path = self.path.split("?", 1)[0]
        parts = [p for p in path.split("/") if p]
        packages = self.server.packages
        if len(parts) == 2 and parts[0] == "software" and parts[1] in packages:
            package = packages[parts[1]]
            location = "%s/%s/%s" % (self.base_url(), package.folder, package.name)
            self.send_response(302)
            self.send_header("Location", location)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        for package in packages.values():
            if parts == [package.folder, package.name]:
                self.serve_package(package, head)
                return
        self.send_error_body(404)

    def send_error_body(self, code):
        body = b"not here\n"
        self.send_response(code)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def serve_package(self, package, head):
        opts = self.server.options
        faults = self.server.faults
        if opts.status and (not head or not opts.status_get_only) and faults["status"].take():
            self.send_error_body(opts.status)
            return

        start, end = 0, package.size - 1
        ranged = False
        wanted = self.headers.get("Range")
        if wanted and not opts.ignore_range:
            parsed = parse_range(wanted, package.size)
            if parsed is None:
                self.send_response(416)
                self.send_header("Content-Range", "bytes */%d" % package.size)
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            start, end = parsed
            ranged = True

        compress = opts.gzip and "gzip" in self.headers.get("Accept-Encoding", "")
        if compress:
            with open(package.path, "rb") as f:
                f.seek(start)
                body = gzip.compress(f.read(end - start + 1))
            length = len(body)
        else:
            body = None
            length = end - start + 1

        self.send_response(206 if ranged else 200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Accept-Ranges", "bytes")
        if compress:
            self.send_header("Content-Encoding", "gzip")
        if ranged:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, package.size))
        if not (head and opts.no_length):
            self.send_header("Content-Length", str(length))
        self.end_headers()
        if head:
            return

        drop_at = opts.drop_after if opts.drop_after is not None and faults["drop"].take() else None
        stall_at = (
            opts.stall_after if opts.stall_after is not None and faults["stall"].take() else None
        )
        self.send_body(package, start, length, body, drop_at, stall_at)

    def send_body(self, package, start, length, body, drop_at, stall_at):
        opts = self.server.options
        sent = 0
        block = 64 * 1024
        began = time.monotonic()
        source = None if body is not None else open(package.path, "rb")
        try:
            if source:
                source.seek(start)
            while sent < length:
                limit = min(block, length - sent)
                for cut in (drop_at, stall_at):
                    if cut is not None and cut > sent:
                        limit = min(limit, cut - sent)
                if drop_at is not None and sent >= drop_at:
                    self.wfile.flush()
                    self.connection.shutdown(socket.SHUT_RDWR)
                    self.close_connection = True
                    return
                if stall_at is not None and sent >= stall_at:
                    self.wfile.flush()
                    self.stall()
                    return
                chunk = body[sent : sent + limit] if body is not None else source.read(limit)
                if not chunk:
                    break
                self.wfile.write(chunk)
                sent += len(chunk)
                if opts.rate:
                    due = began + sent / opts.rate
                    pause = due - time.monotonic()
                    if pause > 0:
                        self.wfile.flush()
                        time.sleep(pause)
            if drop_at is not None and sent >= drop_at and drop_at < length:
                self.connection.shutdown(socket.SHUT_RDWR)
                self.close_connection = True
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            self.close_connection = True
        finally:
            if source:
                source.close()

    def stall(self):
        # Keep the connection open without sending until the client gives up
        # or the service ends.
        self.close_connection = True
        self.connection.settimeout(1.0)
        deadline = time.monotonic() + 600
        while time.monotonic() < deadline:
            try:
                if not self.connection.recv(1024):
                    return
            except socket.timeout:
                continue
            except OSError:
                return


def parse_range(text, size):
    if not text.startswith("bytes=") or "," in text:
        return None
    first, _, last = text[len("bytes=") :].partition("-")
    try:
        if first == "":
            count = int(last)
            start, end = max(0, size - count), size - 1
        else:
            start = int(first)
            end = int(last) if last else size - 1
    except ValueError:
        return None
    end = min(end, size - 1)
    if start > end or start >= size:
        return None
    return start, end


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--package", action="append", default=[],
                        help="FILE or ID=FILE; served behind /software/ID (default ID 195)")
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--log-file")
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    parser.add_argument("--folder")
    parser.add_argument("--drop-after", type=int)
    parser.add_argument("--drop-times", type=int, default=1)
    parser.add_argument("--stall-after", type=int)
    parser.add_argument("--stall-times", type=int, default=1)
    parser.add_argument("--status", type=int)
    parser.add_argument("--status-times", type=int, default=0)
    parser.add_argument("--status-get-only", action="store_true")
    parser.add_argument("--ignore-range", action="store_true")
    parser.add_argument("--rate", type=int)
    parser.add_argument("--gzip", action="store_true")
    parser.add_argument("--no-length", action="store_true")
    options = parser.parse_args()

    if not (options.bind.startswith("127.") or options.bind == "::1"):
        parser.error("the service only listens on loopback")

    packages = {}
    for entry in options.package:
        ident, sep, path = entry.partition("=")
        if not sep:
            ident, path = "195", entry
        packages[ident] = Package(ident, path, options.folder)

    server = Server((options.bind, options.port), Handler)
    server.options = options
    server.packages = packages
    server.log_lock = threading.Lock()
    server.faults = {
        "drop": Budget(options.drop_times),
        "stall": Budget(options.stall_times),
        "status": Budget(options.status_times),
    }
    server.tls = bool(options.tls_cert)
    if server.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(options.tls_cert, options.tls_key)
        server.socket = context.wrap_socket(server.socket, server_side=True)

    port = server.server_address[1]
    if options.port_file:
        temp = options.port_file + ".tmp"
        with open(temp, "w") as f:
            f.write("%d\n" % port)
        os.replace(temp, options.port_file)
    print(port, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
