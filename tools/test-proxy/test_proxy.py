#!/usr/bin/env python3
"""A small forward HTTP proxy for tests, on loopback only.

It stands in for the proxy a user's system names: clients send it requests in
absolute form ("GET http://host:port/path HTTP/1.1") and it forwards them.
Made-up host names are mapped onto loopback ports with --route, so a test can
use a host that only this proxy can reach:

  --route packages.vantyx.localhost:8123=41000
      forwards requests for that host and port to 127.0.0.1:41000

Requests for loopback addresses (127.x.x.x, ::1, localhost) are forwarded as
they are; any other host is refused with 502, so nothing beyond loopback is
ever contacted. The port it listens on is written to --port-file (and printed
as the first line of standard output). Every request is appended to
--log-file as "METHOD URL".
"""

import argparse
import http.client
import http.server
import os
import sys
import threading
import urllib.parse

HOP_BY_HOP = {
    "connection",
    "keep-alive",
    "proxy-authenticate",
    "proxy-authorization",
    "proxy-connection",
    "te",
    "trailer",
    "transfer-encoding",
    "upgrade",
}


def is_loopback(host):
    return host == "localhost" or host == "::1" or host.startswith("127.")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "VantyxTestProxy/1.0"

    def log_message(self, *args):
        pass

    def record(self):
        opts = self.server.options
        if not opts.log_file:
            return
        with self.server.log_lock:
            with open(opts.log_file, "a") as f:
                f.write("%s %s\n" % (self.command, self.path))

    def do_GET(self):
        self.forward()

    def do_HEAD(self):
        self.forward()

    def do_POST(self):
        self.forward()

    def do_CONNECT(self):
        self.record()
        self.refuse(501, "tunnels are not offered")

    def refuse(self, code, text):
        body = (text + "\n").encode()
        self.send_response(code)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def target(self):
        """(host, port, path) to forward to, or None."""
        url = urllib.parse.urlsplit(self.path)
        if url.scheme != "http" or not url.hostname:
            return None
        port = url.port or 80
        path = url.path or "/"
        if url.query:
            path += "?" + url.query
        routes = self.server.routes
        key = "%s:%d" % (url.hostname.lower(), port)
        if key in routes:
            return "127.0.0.1", routes[key], path
        if is_loopback(url.hostname):
            return url.hostname, port, path
        return None

    def forward(self):
        self.record()
        target = self.target()
        if target is None:
            self.refuse(502, "no route to that host")
            return
        host, port, path = target
        length = int(self.headers.get("Content-Length", "0") or 0)
        body = self.rfile.read(length) if length else None
        headers = {k: v for k, v in self.headers.items() if k.lower() not in HOP_BY_HOP}
        upstream = http.client.HTTPConnection(host, port, timeout=60)
        try:
            upstream.request(self.command, path, body=body, headers=headers)
            response = upstream.getresponse()
        except OSError:
            upstream.close()
            self.refuse(502, "the host did not answer")
            return
        try:
            self.send_response_only(response.status, response.reason)
            known_length = False
            for name, value in response.getheaders():
                if name.lower() in HOP_BY_HOP:
                    continue
                known_length = known_length or name.lower() == "content-length"
                self.send_header(name, value)
            if not known_length and self.command != "HEAD":
                self.send_header("Connection", "close")
                self.close_connection = True
            self.end_headers()
            if self.command != "HEAD":
                while True:
                    chunk = response.read(64 * 1024)
                    if not chunk:
                        break
                    self.wfile.write(chunk)
            # A body cut short upstream is cut short here too.
            if response.length:
                self.close_connection = True
        except (BrokenPipeError, ConnectionResetError, http.client.IncompleteRead, OSError):
            self.close_connection = True
        finally:
            upstream.close()


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--route", action="append", default=[],
                        help="HOST:PORT=LOOPBACK_PORT; forward that host to 127.0.0.1")
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--log-file")
    options = parser.parse_args()

    if not is_loopback(options.bind):
        parser.error("the proxy only listens on loopback")
    routes = {}
    for entry in options.route:
        name, sep, port = entry.rpartition("=")
        if not sep or ":" not in name:
            parser.error("--route wants HOST:PORT=LOOPBACK_PORT")
        host, _, host_port = name.rpartition(":")
        routes["%s:%d" % (host.lower(), int(host_port))] = int(port)

    server = Server((options.bind, options.port), Handler)
    server.options = options
    server.routes = routes
    server.log_lock = threading.Lock()

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
