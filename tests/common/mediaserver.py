#!/usr/bin/env python3
"""A small web server for the capture tests, on 127.0.0.1 only.

Serves a folder with byte ranges (players and demuxers seek), and a few
special paths:
  /redirect/<path>   302 to /<path>
  /slow/<path>       <path> sent at about 48 KiB/s
  /cut/<path>        <path> announced in full but broken off half-way
  /trickle/<path>    <path> announced in full, its first 16 KiB sent at once,
                     then one byte a second
  /turning/<path>    a live playlist <path> as it is the first time, and from
                     then on with a segment added that is not on the web
  /endless/<name>    an MP4 that never ends: a box header claiming more than
                     any disk holds, then zeros for as long as anyone reads
Prints "PORT <n>" once listening.  Ends when its standard input closes
(unless --ignore-stdin) or after --lifetime seconds, whichever comes first.
"""
import argparse
import http.server
import mimetypes
import os
import ssl
import sys
import threading
import time
import urllib.parse

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".m3u8": "application/vnd.apple.mpegurl",
    ".mpd": "application/dash+xml",
    ".ts": "video/mp2t",
    ".m4s": "video/iso.segment",
    ".mp4": "video/mp4",
    ".webm": "video/webm",
    ".mkv": "video/x-matroska",
    ".mp3": "audio/mpeg",
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    root = "."
    served = {}
    served_lock = threading.Lock()

    def log_message(self, *args):
        pass

    def do_HEAD(self):
        self.serve(head=True)

    def do_GET(self):
        self.serve(head=False)

    def serve(self, head):
        path = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path)
        mode = None
        if path.startswith("/turning/"):
            self.serve_turning(path[len("/turning"):], head)
            return
        if path.startswith("/endless/"):
            self.serve_endless(head)
            return
        for prefix in ("redirect", "slow", "cut", "trickle"):
            if path.startswith("/" + prefix + "/"):
                mode = prefix
                path = path[len(prefix) + 1:]
                break
        if mode == "redirect":
            self.send_response(302)
            self.send_header("Location", path)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        full = os.path.realpath(os.path.join(self.root, path.lstrip("/")))
        if not full.startswith(os.path.realpath(self.root)) or not os.path.isfile(full):
            body = b"not found"
            self.send_response(404)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if not head:
                self.wfile.write(body)
            return
        size = os.path.getsize(full)
        start, end = 0, size - 1
        status = 200
        rng = self.headers.get("Range")
        if rng and rng.startswith("bytes="):
            first, _, last = rng[6:].split(",")[0].partition("-")
            if first:
                start = int(first)
                if last:
                    end = min(int(last), size - 1)
            elif last:
                start = max(0, size - int(last))
            if start >= size:
                self.send_response(416)
                self.send_header("Content-Range", "bytes */%d" % size)
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            status = 206
        ext = os.path.splitext(full)[1].lower()
        ctype = TYPES.get(ext) or mimetypes.guess_type(full)[0] or "application/octet-stream"
        length = end - start + 1
        self.send_response(status)
        self.send_header("Content-Type", ctype)
        self.send_header("Accept-Ranges", "bytes")
        self.send_header("Content-Length", str(length))
        if status == 206:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, size))
        self.end_headers()
        if head:
            return
        with open(full, "rb") as f:
            f.seek(start)
            remaining = length
            if mode == "cut":
                remaining = min(remaining, max(1, size // 2 - start))
            try:
                if mode == "trickle":
                    self.trickle(f, remaining)
                    return
                while remaining > 0:
                    chunk = f.read(min(remaining, 4096 if mode == "slow" else 65536))
                    if not chunk:
                        break
                    self.wfile.write(chunk)
                    remaining -= len(chunk)
                    if mode == "slow":
                        self.wfile.flush()
                        time.sleep(4096 / (48 * 1024))
            except (BrokenPipeError, ConnectionResetError, ssl.SSLError):
                return
        if mode == "cut":
            self.wfile.flush()
            self.close_connection = True

    def trickle(self, f, remaining):
        head = f.read(min(remaining, 16384))
        self.wfile.write(head)
        self.wfile.flush()
        remaining -= len(head)
        while remaining > 0:
            byte = f.read(1)
            if not byte:
                return
            self.wfile.write(byte)
            self.wfile.flush()
            remaining -= 1
            time.sleep(1.0)

    def serve_turning(self, path, head):
        full = os.path.realpath(os.path.join(self.root, path.lstrip("/")))
        if not full.startswith(os.path.realpath(self.root)) or not os.path.isfile(full):
            self.send_error(404)
            return
        with Handler.served_lock:
            times = Handler.served.get(full, 0)
            Handler.served[full] = times + 1
        with open(full, "rb") as f:
            body = f.read()
        if times > 0:
            body += b"#EXTINF:2,\nftp://127.0.0.1:1/next.ts\n"
        self.send_response(200)
        self.send_header("Content-Type", TYPES[".m3u8"])
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if not head:
            self.wfile.write(body)

    def serve_endless(self, head):
        self.send_response(200)
        self.send_header("Content-Type", "video/mp4")
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        if head:
            return
        ftyp = b"\x00\x00\x00\x18ftypisom\x00\x00\x02\x00isomiso2"
        mdat = b"\x00\x00\x00\x01mdat" + (1 << 62).to_bytes(8, "big")
        zeros = bytes(65536)
        try:
            self.wfile.write(ftyp + mdat)
            while True:
                self.wfile.write(zeros)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            return


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # Clients that hang up mid-way are what several tests are about.
        if isinstance(sys.exc_info()[1], (ConnectionError, ssl.SSLError)):
            return
        super().handle_error(request, client_address)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--lifetime", type=float, default=900)
    parser.add_argument("--ignore-stdin", action="store_true")
    args = parser.parse_args()
    Handler.root = args.root
    server = Server(("127.0.0.1", 0), Handler)
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    print("PORT %d" % server.server_address[1], flush=True)
    deadline = time.time() + args.lifetime

    def watch_stdin():
        try:
            sys.stdin.read()
        except Exception:
            pass
        os._exit(0)

    if not args.ignore_stdin:
        threading.Thread(target=watch_stdin, daemon=True).start()
    while time.time() < deadline:
        time.sleep(0.5)
    os._exit(0)


if __name__ == "__main__":
    main()
