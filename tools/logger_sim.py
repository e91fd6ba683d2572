#!/usr/bin/env python3
"""Simulates the illuminance logger on a pseudo-terminal.

The pty is made reachable as a COM port of the Wine prefix by pointing a
symbolic link at it (the bench maps COMn to $WINEPREFIX/ports/comN for n up
to 20; tools/wine-env.sh says which). The
simulator waits for the dump command "LUX22" CR, then sends the reply: 840
groups of six upper-case hex digits (CH1 and CH2 counts), the start stamp and
a carriage return, 5053 bytes, paced at 19200 baud 8N1 as the device does.

  logger_sim.py --port 3                       # a synthetic day on COM3
  logger_sim.py --port 3 --recording day.mv2   # the recording of a file
  logger_sim.py --port 3 --fault silent        # see FAULTS
  logger_sim.py --port 3 --flow-control-left-on --settings-log line.txt

When the command arrives, --settings-log records how the program set the
line up (speed, data bits, parity, stop bits and the three kinds of flow
control), read from the pty itself.

It runs until interrupted, until --stop-file appears, or for --lifetime
seconds, and then points the port back at nothing.
"""
import argparse
import math
import os
import pty
import select
import signal
import sys
import termios
import time
import tty

BYTE_TIME = 10 / 19200  # start bit, 8 data bits, stop bit
COMMAND = b"LUX22\r"
SAMPLES = 840

FAULTS = {
    "none": "a complete, well-formed reply",
    "silent": "never answers",
    "short": "a carriage return after 3000 bytes",
    "no-cr": "6100 hex digits and no carriage return",
    "lowercase": "the counts in lower-case hex digits",
    "non-hex": "a 'G' among the counts",
    "cut-off": "the first 2000 bytes, then silence",
    "slow": "a pause of 1.5 s after every 1200 bytes",
    "delay": "answers only after 3 s",
    "trickle": "a hex digit every second, never a carriage return",
    "text": "not a logger: answers every command with a GPS sentence and CR LF",
}

# What a GPS receiver on the same adapter would send.
GPS_SENTENCE = b"$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76\r\n"

SPEEDS = {getattr(termios, "B%d" % s): s for s in (1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200)}


def read_recording(path):
    """Counts and stamp of a recording file (blank lines skipped)."""
    with open(path, "rb") as f:
        lines = [l for l in f.read().replace(b"\r", b"\n").split(b"\n") if l]
    if len(lines) < 11 + 3 * SAMPLES or lines[0] != b"MARVEK2":
        sys.exit(f"logger_sim: {path} is not a recording file")
    number = lambda b: int(b.strip() or b"0")
    year, month, weekday, day, hour, minute = (number(l) for l in lines[5:11])
    ch1 = [number(lines[12 + 3 * i]) for i in range(SAMPLES)]
    ch2 = [number(lines[13 + 3 * i]) for i in range(SAMPLES)]
    return ch1, ch2, (year, month, weekday, day, hour, minute)


def synthetic_day():
    """Two light curves over a day from 05:00, Tuesday 2 June 2015."""
    ch1, ch2 = [], []
    for i in range(SAMPLES):
        sun = math.sin(math.pi * i / (SAMPLES - 1)) ** 2
        ch1.append(round(1800 * sun + 40 * math.sin(i / 7.0) + 60))
        ch2.append(round(900 * sun * (0.6 + 0.4 * math.cos(i / 31.0)) + 20))
    return ch1, ch2, (2015, 6, 2, 2, 5, 0)


def reply_bytes(ch1, ch2, stamp, fault):
    year, month, weekday, day, hour, minute = stamp
    counts = "".join("%03X%03X" % (a & 0xFFF, b & 0xFFF) for a, b in zip(ch1, ch2))
    if fault == "lowercase":
        counts = counts.lower()
    if fault == "non-hex":
        counts = counts[:1234] + "G" + counts[1235:]
    trailer = "%02X%02X%02X0%X0%X%02X" % (minute & 0xFF, hour & 0xFF, day & 0xFF,
                                          weekday & 0xF, month & 0xF, (year - 2000) & 0xFF)
    reply = (counts + trailer).encode("ascii") + b"\r"
    if fault == "short":
        reply = reply[:3000] + b"\r"
    elif fault == "no-cr":
        reply = (counts * 2)[:6100].encode("ascii")
    elif fault == "cut-off":
        reply = reply[:2000]
    return reply


def open_pty():
    master, slave = pty.openpty()
    name = os.ttyname(slave)
    # Our own session and controlling terminal: the Wine server then never
    # takes the pty as its terminal and gets no hang-up from it.
    os.setsid()
    own = os.open(name, os.O_RDWR)
    tty.setraw(own)
    os.close(slave)
    return master, own, name


def leave_flow_control_on(fd):
    """The port as an earlier program may leave it: 9600 baud, hardware and
    software flow control on."""
    iflag, oflag, cflag, lflag, _, _, cc = termios.tcgetattr(fd)
    iflag |= termios.IXON | termios.IXOFF
    cflag |= termios.CRTSCTS
    termios.tcsetattr(fd, termios.TCSANOW,
                      [iflag, oflag, cflag, lflag, termios.B9600, termios.B9600, cc])


def line_settings(fd):
    """How the line is set up now, as one line of text."""
    iflag, _, cflag, _, ispeed, ospeed, _ = termios.tcgetattr(fd)
    bits = {termios.CS5: 5, termios.CS6: 6, termios.CS7: 7, termios.CS8: 8}[cflag & termios.CSIZE]
    return "speed=%s data=%d parity=%s stop=%d crtscts=%d ixon=%d ixoff=%d" % (
        SPEEDS.get(ospeed, ospeed), bits,
        ("odd" if cflag & termios.PARODD else "even") if cflag & termios.PARENB else "none",
        2 if cflag & termios.CSTOPB else 1, bool(cflag & termios.CRTSCTS),
        bool(iflag & termios.IXON), bool(iflag & termios.IXOFF))


def point_link(link, target):
    tmp = link + ".new"
    if os.path.lexists(tmp):
        os.unlink(tmp)
    os.symlink(target, tmp)
    os.replace(tmp, link)


def send_paced(master, data, fault, stopping):
    """Writes each byte no earlier than the line rate allows; gives up when
    told to stop."""
    start = time.monotonic()
    sent = 0
    next_pause = 1200 if fault == "slow" else len(data) + 1
    while sent < len(data) and not stopping():
        if sent >= next_pause:
            time.sleep(1.5)
            start += 1.5
            next_pause += 1200
        due = int((time.monotonic() - start) / BYTE_TIME) + 1
        due = min(due, len(data), next_pause)
        if due > sent:
            sent += os.write(master, data[sent:due])
        else:
            time.sleep(0.002)


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--port", type=int, default=0, help="COM port number, 1 to 256")
    ap.add_argument("--link", help="instead of a COM port: a symbolic link to the pty here")
    ap.add_argument("--prefix", default=os.environ.get("WINEPREFIX", ""),
                    help="the Wine prefix (default: $WINEPREFIX)")
    ap.add_argument("--recording", help="an .mv2 file to send (default: a synthetic day)")
    ap.add_argument("--fault", default="none", choices=sorted(FAULTS))
    ap.add_argument("--ready-file", help="written once the port is there")
    ap.add_argument("--stop-file", help="stops when this file appears")
    ap.add_argument("--log", help="appends every received byte, in hex, to this file")
    ap.add_argument("--lifetime", type=float, default=0, help="stops after this many seconds")
    ap.add_argument("--flow-control-left-on", action="store_true",
                    help="start from a port at 9600 with CRTSCTS, IXON and IXOFF on")
    ap.add_argument("--settings-log", help="appends the line settings seen at each command")
    args = ap.parse_args()
    if not args.link and (not 1 <= args.port <= 256 or not args.prefix):
        ap.error("a port from 1 to 256 and a Wine prefix, or a --link, are needed")

    signal.signal(signal.SIGHUP, signal.SIG_IGN)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    ch1, ch2, stamp = read_recording(args.recording) if args.recording else synthetic_day()
    reply = reply_bytes(ch1, ch2, stamp, args.fault)

    if args.link:
        link, absent = args.link, None
    else:
        ports = os.path.join(args.prefix, "ports")
        link = os.path.join(ports, "com%d" % args.port)
        absent = os.path.join(ports, "absent")
    master, own, name = open_pty()
    if args.flow_control_left_on:
        leave_flow_control_on(own)
    point_link(link, name)
    if args.ready_file:
        open(args.ready_file, "w").write(name + "\n")
    print("logger_sim: %s is %s (%s)" % (link if args.link else "COM%d" % args.port, name,
                                         FAULTS[args.fault]), flush=True)

    began = time.monotonic()
    stopping = lambda: ((args.stop_file and os.path.exists(args.stop_file)) or
                        (args.lifetime and time.monotonic() - began > args.lifetime))
    heard = b""
    try:
        while True:
            if stopping():
                break
            ready, _, _ = select.select([master], [], [], 0.05)
            if not ready:
                continue
            try:
                got = os.read(master, 256)
            except OSError:
                continue
            if args.log:
                with open(args.log, "a") as log:
                    log.write(got.hex() + "\n")
            heard += got
            if args.fault == "text":
                os.write(master, GPS_SENTENCE)
                heard = b""
                continue
            if COMMAND in heard:
                heard = heard[heard.index(COMMAND) + len(COMMAND):]
                if args.settings_log:
                    with open(args.settings_log, "a") as log:
                        log.write(line_settings(own) + "\n")
                if args.fault == "silent":
                    continue
                if args.fault == "trickle":
                    while not stopping():
                        os.write(master, b"A")
                        time.sleep(1)
                    continue
                if args.fault == "delay":
                    time.sleep(3)
                send_paced(master, reply, args.fault, stopping)
    except KeyboardInterrupt:
        pass
    finally:
        if absent:
            point_link(link, absent)
        elif os.path.lexists(link):
            os.unlink(link)
        os.close(own)
        os.close(master)
        if args.stop_file:
            open(args.stop_file + ".done", "w").close()


if __name__ == "__main__":
    main()
