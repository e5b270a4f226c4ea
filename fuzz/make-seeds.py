#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz harnesses into fuzz/corpus/<harness>/.

The printers' replies come from the simulated printer, one run per built-in profile, so the
seeds are what real exchanges carry; the files are built the way the program writes them.

usage: fuzz/make-seeds.py BUILD/bin/rkprinter-sim
"""
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tools", "printer-sim"))
import simclient  # noqa: E402
import socket  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")
ROOT = os.path.dirname(HERE)

HANDSHAKE = bytes.fromhex("1D1A1B1C1D4D4F444500")
FRAMED16 = {  # command -> name
    "model": bytes.fromhex("1D030700"),
    "eds": bytes.fromhex("1D030701"),
    "settings": bytes.fromhex("1D0302"),
    "defaults": bytes.fromhex("1D0309"),
    "sensors": bytes.fromhex("1D016101"),
    "address": bytes.fromhex("1D0121"),
    "mac": bytes.fromhex("1D0322"),
}
PARAMETER_LIST = bytes.fromhex("1D0501")
RESTORE = bytes.fromhex("1D0240")
PROFILES = ["zn470kw", "rk5200-legacy", "rk5200-new", "mv4410c", "rp0501", "qp80", "pl100", "pl300", "rk7300"]
# Printer type index in fuzz_settingcodec and the profile whose block fits it.
CODEC_TYPES = {"rk5200-legacy": 0, "rk5200-new": 1, "mv4410c": 2, "zn470kw": 3, "rp0501": 4,
               "qp80": 5}


def write(harness, name, data):
    folder = os.path.join(CORPUS, harness)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def pieces(reply, size=0):
    """The reply as the harnesses take it: size byte and bytes; size 0 takes the rest."""
    if size == 0:
        return b"\x00" + reply
    out = b""
    for i in range(0, len(reply), size):
        chunk = reply[i:i + size]
        out += bytes([len(chunk)]) + chunk
    return out


def replies(sim, profile):
    proc = subprocess.Popen([sim, "--tcp", "127.0.0.1:0", "--profile", profile],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        line = proc.stdout.readline().split()
        host, port = line[2].rsplit(":", 1)
        got = {}
        with socket.create_connection((host, int(port)), timeout=5) as sock:
            got["handshake"] = simclient.exchange(sock, HANDSHAKE)
            for name, command in FRAMED16.items():
                got[name] = simclient.exchange(sock, command)
            if got["handshake"][-1:] == b"\x44":
                got["list"] = simclient.exchange(sock, PARAMETER_LIST)
            got["restore"] = simclient.exchange(sock, RESTORE)
        return got
    finally:
        proc.terminate()
        proc.wait()


def qt_string(text):
    data = text.encode("utf-16-be")
    return struct.pack(">I", len(data)) + data


def qt_bytes(data):
    return struct.pack(">I", len(data)) + data


def payload16(reply, command):
    return reply[len(command) + 2:]


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    sim = argv[1]
    for profile in PROFILES:
        got = replies(sim, profile)
        hs = got["handshake"]
        # Reply framing of each mode: plain (handshake, acknowledgement), 16- and 24-bit frames.
        write("fuzz_replycheck", f"{profile}-handshake", b"\x00\x09" + HANDSHAKE[:9] + b"\x00\x0a" + pieces(hs))
        write("fuzz_replycheck", f"{profile}-ack", b"\x00\x00\x00\x01" + pieces(got["restore"]))
        for name, command in FRAMED16.items():
            reply = got[name]
            length = len(payload16(reply, command)) if name != "model" else 0xFFFF
            header = b"\x01" + bytes([len(command)]) + command + struct.pack(">H", length)
            write("fuzz_replycheck", f"{profile}-{name}", header + pieces(reply, 0 if name != "settings" else 100))
        if "list" in got:
            header = b"\x02" + bytes([len(PARAMETER_LIST)]) + PARAMETER_LIST + b"\xff\xff"
            write("fuzz_replycheck", f"{profile}-list", header + pieces(got["list"], 250))
        # Whole exchanges: mode, flags, command, echo, expected length, expected payload, answers.
        for port, flag in (("usb", 0), ("bluetooth", 1)):
            seed = bytes([1, flag, 6]) + HANDSHAKE[:6] + bytes([4]) + HANDSHAKE[:4] + b"\x00\x0a\xff\xff"
            write("fuzz_exchange", f"{profile}-{port}-handshake", seed + pieces(hs, 5))
            for name in ("model", "settings", "sensors"):
                command = FRAMED16[name]
                reply = got[name]
                length = 0xFFFF if name == "model" else len(payload16(reply, command))
                mode = 4 if profile == "mv4410c" else 2
                seed = bytes([mode, flag, len(command)]) + command + b"\x00" + struct.pack(">HH", len(command) + 2, length)
                write("fuzz_exchange", f"{profile}-{port}-{name}", seed + pieces(reply, 200))
            if "list" in got:
                seed = bytes([3, flag, 3]) + PARAMETER_LIST + b"\x00\x00\x05\xff\xff"
                write("fuzz_exchange", f"{profile}-{port}-list", seed + pieces(got["list"], 200))
        # Identification records.
        model = payload16(got["model"], FRAMED16["model"])
        eds = payload16(got["eds"], FRAMED16["eds"])
        marker = profile == "qp80"
        write("fuzz_printeridentity", profile, bytes([1 if marker else 0]) + struct.pack(">H", len(model)) + model + eds)
        # Parameter lists as the printer sends them.
        if "list" in got:
            write("fuzz_parameterlist", profile, got["list"][len(PARAMETER_LIST) + 4:])
        # Settings files as Export writes them.
        settings = payload16(got["settings"], FRAMED16["settings"])
        name = model.split(b";")[0].decode("utf-8", "replace")
        write("fuzz_settingsfile", profile, qt_string(name) + qt_bytes(settings))
        if profile in CODEC_TYPES:
            seed = bytes([CODEC_TYPES[profile], 1]) + struct.pack(">H", len(settings)) + settings
            # Three rows, each with a typed text and a number.
            for row, text in ((3, b"192.168.1.20"), (10, b"\x01" + "打印机".encode("utf-16-le")), (40, b"12.5")):
                seed += struct.pack(">H", row) + bytes([len(text)]) + text + struct.pack("<d", 12.5)
            seed += b"\x00"
            for role in range(1, 19):
                text = b"10.0.0.%d" % role
                seed += bytes([len(text)]) + text + bytes([role % 3]) + struct.pack("<d", 9100.0)
            seed += bytes([17]) + b"00:15:8C:2A:3B:53"
            write("fuzz_settingcodec", profile, seed)
            write("fuzz_settingcodec", profile + "-ethernet", seed[:4 + len(settings)] + b"\x00\x05" + bytes([len(b"RKP")]) + b"RKP" + b"\x01" + seed[4 + len(settings) + 20:])

    # The parameter-list text of the tests, with a default, a countdown range and Chinese pages.
    write("fuzz_parameterlist", "pages", (
        '{"System Setup":{"speed":{"tip":"Print speed","list":"[Low+0,Normal+1,High+2]",'
        '"val":"Normal+1","def":"High+2"},"density":{"tip":"Print density",'
        '"list":"(start:1,end:4,step:1)","val":"3+3"}},'
        '"纸张设置":{"margin":{"tip":"Margin","list":"(start:20,end:0,step:5)","val":"5+5"},'
        '"cut":{"tip":"Cut","list":"[Off+0,Full,Partial+x,C++ mode+7]","val":"C++ mode+7"}}}').encode())
    # A settings file of a parameter-list printer and one from the old RK5200 firmware.
    write("fuzz_settingsfile", "parameter-list", qt_string("PL-100") + qt_bytes(b'{"System Setup":{"speed":{"val":"High+2"}}}'))
    write("fuzz_settingsfile", "null-name", b"\xff\xff\xff\xff" + qt_bytes(bytes(1024)))

    # The formulas of the delivered database, read and write, between string ends ("\\" + other).
    formulas = [("(H*256+L)/10", "H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256"),
                ("(H*256+L)/10;(H*256+L-65536)/10", "H=Math.floor(value/256);L=value%256"),
                ("H*256+L", "H=value;L=0"), ("L", "L=value")]
    for i, (read, written) in enumerate(formulas):
        text = "打印机 name".encode("utf-16-le")
        write("fuzz_formula", f"formula-{i}", read.encode() + b"\\x" + written.encode() + b"\\x"
              + b"Norvale\x00RK\xb4\xf2\xd3\xa1\\x" + text + b"\\x" + b"\x01\x02\x08\x10\x40\x13\x88\x00")

    # Package files: the example package's own and the forms the readers meet.
    package = os.path.join(ROOT, "examples", "setup-package")
    for name in ("RKSETUP.INI", "RKSELECT.INI"):
        with open(os.path.join(package, name), "rb") as f:
            write("fuzz_inifiles", name, f.read())
    write("fuzz_inifiles", "windows", b"\xef\xbb\xbf[MODEL]\r\nMODEL = \"RK5200\"\r\n[LANGUAGEMENU]\r\nLANGUAGEMENU=true\r\n"
          b"[INFNUM]\r\nINFITEM=2\r\n[INFNAME]\r\nINF0=RK5200.PPD\r\nINF1=RK5200.PPD\r\n[FILENUM]\r\nFILEITEM=1\r\n"
          b"[FILELIST]\r\nFL0=RK5200.PPD\r\n[LANCHAPPNUM]\r\nNUM=+2\r\n[ITEM1]\r\nAPPNAME='Pilote'\r\nCOMMENT=Install\xe9\r\n"
          b"APPPATH=.\r\nEXENAME=RKSETUP\r\n[item2]\r\nappname=Read Me\r\ncomment=; not a comment\r\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
