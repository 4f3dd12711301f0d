#!/usr/bin/env python3
"""A small loopback stream server for the audio engine's tests, in the manner of an Icecast
mount: a burst of MP3 data that starts in the middle of a frame, then a steady pace, with ICY
titles when the client asks for them. Paths:

  /, /stream, /latin1, /utf8, /quote  the MP3 loop; the last three carry a title
  /drop                             sends about 40 KB, drops the connection, then refuses
                                    every connection for --outage seconds
  /stall                            accepts and never answers
  /hang                             sends about 40 KB, then nothing more, keeping the connection
  /list.pls, /list.m3u              playlists whose first entry is /latin1
  /tune                             the .pls playlist under an address that does not say so
  /moved                            a redirection to /utf8

With --tls-cert and --tls-key it speaks HTTPS; with --stall every path stalls.

Every connection is logged to --log as "OPEN path n" and "CLOSE path n". The chosen port is
written to --port-file once the server listens."""

import argparse
import os
import select
import socket
import ssl
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

META_INTERVAL = 8000
BURST = 32768
CHUNK = 1600
TITLES = {
    "/latin1": "Café Olé".encode("latin-1"),
    "/utf8": "Ünïcödé ✓".encode("utf-8"),
    "/quote": "Rock';n roll".encode("utf-8"),
}


class State:
    def __init__(self, mp3, log, rate, outage):
        self.mp3 = mp3
        self.log_path = log
        self.rate = rate
        self.outage = outage
        self.refuse_until = 0.0
        self.stall = False
        self.lock = threading.Lock()
        self.count = 0

    def log(self, line):
        with self.lock, open(self.log_path, "a") as log:
            log.write(line + "\n")

    def next_id(self):
        with self.lock:
            self.count += 1
            return self.count


def metadata_block(title):
    if title is None:
        return b"\0"
    text = b"StreamTitle='" + title + b"';StreamUrl='';"
    padded = text + b"\0" * (-len(text) % 16)
    return bytes([len(padded) // 16]) + padded


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        state = self.server.state
        path = self.path.split("?")[0]
        if path == "/":
            path = "/stream"
        if path == "/drop" and time.monotonic() < state.refuse_until:
            self.send_error(503)
            return
        ident = state.next_id()
        state.log(f"OPEN {path} {ident}")
        try:
            self.serve(path, state)
        except (BrokenPipeError, ConnectionResetError):
            pass
        finally:
            state.log(f"CLOSE {path} {ident}")

    def serve(self, path, state):
        if path == "/stall" or state.stall:
            while True:
                time.sleep(1)
        base = f"http://127.0.0.1:{self.server.server_port}"
        if path == "/moved":
            self.send_response(302)
            self.send_header("Location", f"{base}/utf8")
            self.end_headers()
        elif path in ("/list.pls", "/tune"):
            self.send_text("audio/x-scpls",
                           f"[playlist]\nNumberOfEntries=1\nFile1={base}/latin1\nTitle1=x\n")
        elif path == "/list.m3u":
            self.send_text("audio/x-mpegurl", f"#EXTM3U\n#EXTINF:-1,x\n{base}/latin1\n")
        elif path in ("/stream", "/drop", "/hang") or path in TITLES:
            self.stream(path, state)
        else:
            self.send_error(404)

    def send_text(self, content_type, text):
        body = text.encode()
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def stream(self, path, state):
        with_metadata = self.headers.get("Icy-MetaData") == "1"
        self.send_response(200)
        self.send_header("Content-Type", "audio/mpeg")
        self.send_header("icy-name", "Vexa test")
        if with_metadata:
            self.send_header("icy-metaint", str(META_INTERVAL))
        self.end_headers()
        data = self.mp3_bytes(state, limit=40000 if path in ("/drop", "/hang") else None)
        sent = 0
        until_meta = META_INTERVAL
        for chunk in data:
            while chunk:
                piece = chunk[:until_meta] if with_metadata else chunk
                self.wfile.write(piece)
                chunk = chunk[len(piece):]
                until_meta -= len(piece)
                if with_metadata and until_meta == 0:
                    self.wfile.write(metadata_block(TITLES.get(path)))
                    until_meta = META_INTERVAL
            sent += CHUNK
            if sent > BURST:
                time.sleep(CHUNK / state.rate)
        if path == "/drop":
            state.refuse_until = time.monotonic() + state.outage
            self.connection.shutdown(socket.SHUT_RDWR)
        while path == "/hang":  # until the client goes away
            readable, _, _ = select.select([self.connection], [], [], 1)
            if readable and not self.connection.recv(1):
                break

    def mp3_bytes(self, state, limit):
        """The file in a loop, in chunks, starting 101 bytes in: mid-frame."""
        position = 101
        total = 0
        while limit is None or total < limit:
            chunk = state.mp3[position:position + CHUNK]
            position += len(chunk)
            if position >= len(state.mp3):
                position = 0
            total += len(chunk)
            if chunk:
                yield chunk


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mp3", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--port", type=int, default=0, help="0 picks a free one")
    parser.add_argument("--rate", type=int, default=16000, help="bytes per second after the burst")
    parser.add_argument("--outage", type=float, default=3.0)
    parser.add_argument("--stall", action="store_true")
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    args = parser.parse_args()
    with open(args.mp3, "rb") as f:
        mp3 = f.read()
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.state = State(mp3, args.log, args.rate, args.outage)
    server.state.stall = args.stall
    if args.tls_cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls_cert, args.tls_key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_port))
    os.replace(args.port_file + ".tmp", args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
