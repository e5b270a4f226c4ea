#!/usr/bin/env python3
"""A hand-written client for rkprinter-sim: sends each hex command, prints the reply in hex.

usage: simclient.py HOST:PORT HEX [HEX ...]
e.g.   simclient.py 127.0.0.1:9100 1D1A1B1C1D4D4F444500 1D030700
"""
import socket
import sys

QUIET_S = 0.3  # a reply is over when nothing more arrives for this long


def exchange(sock, command):
    sock.sendall(command)
    reply = b""
    sock.settimeout(2.0)  # the first byte may take a while
    while True:
        try:
            data = sock.recv(65536)
        except socket.timeout:
            return reply
        if not data:
            return reply
        reply += data
        sock.settimeout(QUIET_S)


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    host, port = argv[1].rsplit(":", 1)
    with socket.create_connection((host, int(port)), timeout=5) as sock:
        for text in argv[2:]:
            print(exchange(sock, bytes.fromhex(text)).hex())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
