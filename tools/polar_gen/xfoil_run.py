"""Headless xfoil sweeps: one fresh process per sweep, a watchdog on each,
and the libgfortran trap shim preloaded."""
import os
import shutil
import subprocess
import tempfile
import threading
import time

import naca4

HERE = os.path.dirname(os.path.abspath(__file__))

# xfoil settings (documented in data/README.md)
PANELS = 160          # PPAR panel count
NCRIT = 9.0           # e^n transition criterion
ITERATIONS = 60       # viscous Newton iterations per point
POINT_TIMEOUT = 2.5   # seconds before the watchdog kills a spinning point
FAILS_TO_STOP = 2     # consecutive unconverged points that end a process
RESTARTS = 3          # fresh processes a sweep may start after that
MARCH_STEP = 0.5      # largest angle step of the march (deg)


def build_shim(directory):
    """Compiles the FPE shim into `directory` and returns its path."""
    os.makedirs(directory, exist_ok=True)
    lib = os.path.join(directory, "fpe_off.so")
    src = os.path.join(HERE, "fpe_off.c")
    if not os.path.exists(lib) or os.path.getmtime(lib) < os.path.getmtime(src):
        subprocess.run(["gcc", "-shared", "-fPIC", "-O2", "-o", lib + ".tmp", src], check=True)
        os.replace(lib + ".tmp", lib)
    return lib


class _Session:
    """One xfoil process driven interactively: commands go in one at a
    time and the output is watched, so a sweep can stop at the first
    hopeless point and a spinning process is killed."""

    def __init__(self, shim, work):
        env = dict(os.environ, LD_PRELOAD=shim, DISPLAY="", GFORTRAN_UNBUFFERED_ALL="1")
        self.proc = subprocess.Popen(["xfoil"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, cwd=work, env=env)
        self.buf = bytearray()
        self.lock = threading.Lock()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        fd = self.proc.stdout.fileno()
        while True:
            try:
                chunk = os.read(fd, 65536)
            except OSError:
                return
            if not chunk:
                return
            with self.lock:
                self.buf.extend(chunk)

    def send(self, line):
        try:
            self.proc.stdin.write((line + "\n").encode())
            self.proc.stdin.flush()
        except (BrokenPipeError, OSError):
            pass

    def mark(self):
        with self.lock:
            return len(self.buf)

    def wait_point(self, since, timeout):
        """Waits for the end of one ALFA: True converged, False failed,
        None when the watchdog fired or the process died."""
        end = time.time() + timeout
        while time.time() < end:
            with self.lock:
                text = bytes(self.buf[since:]).decode(errors="replace")
            done = text.rstrip().endswith("c>")
            if done and "VISCAL:  Convergence failed" in text:
                return False
            if done and "Point added" in text:
                return True
            if self.proc.poll() is not None:
                return None
            time.sleep(0.005)
        return None

    def close(self):
        self.send("")
        self.send("QUIT")
        try:
            self.proc.wait(timeout=2)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def _read_polar(path):
    rows = []
    if not os.path.exists(path):
        return rows
    with open(path) as f:
        lines = f.read().splitlines()
    started = False
    for line in lines:
        if line.strip().startswith("-----"):
            started = True
            continue
        if not started:
            continue
        v = line.split()
        if len(v) >= 3:
            try:
                rows.append((float(v[0]), float(v[1]), float(v[2])))
            except ValueError:
                pass
    return rows


def _run_session(shim, work, re, mach, march, table):
    """Marches one fresh process along `march` from its start. Returns
    (position where it stopped or len(march), watchdog fired); converged
    points accumulate in work/pol.txt."""
    xf = _Session(shim, work)
    try:
        for cmd in ["PLOP", "G", "", "LOAD sec.dat", "PPAR", "N %d" % PANELS, "", "",
                    "OPER", "VPAR", "N %g" % NCRIT, "", "VISC %.6g" % re,
                    "MACH %.4f" % mach, "ITER %d" % ITERATIONS, "PACC", "pol.txt", ""]:
            xf.send(cmd)
        fails = 0
        for n, a in enumerate(march):
            since = xf.mark()
            xf.send("ALFA %.4f" % a)
            ok = xf.wait_point(since, POINT_TIMEOUT)
            if ok is None:
                return n, True
            fails = 0 if ok else fails + 1
            if fails >= FAILS_TO_STOP:
                return n, False
        return len(march), False
    finally:
        xf.close()


def sweep(shim, t, m, re, mach, march, table):
    """One sweep along the marching angles `march` (in marching order;
    `table` are the angles wanted). A process that fails FAILS_TO_STOP
    points in a row, or spins, is replaced by a fresh one that starts cold
    at the next table angle, at most RESTARTS times. Returns (rows,
    timed_out), rows = [(alpha_deg, cl, cd)] of the converged points."""
    work = tempfile.mkdtemp(prefix="xf")
    timed_out = False
    try:
        naca4.write_dat(os.path.join(work, "sec.dat"), t, m)
        rows = []
        pos = 0
        for _ in range(RESTARTS + 1):
            stop, late = _run_session(shim, work, re, mach, march[pos:], table)
            timed_out = timed_out or late
            rows += _read_polar(os.path.join(work, "pol.txt"))
            if os.path.exists(os.path.join(work, "pol.txt")):
                os.remove(os.path.join(work, "pol.txt"))
            pos += stop
            nxt = [k for k in range(pos + 1, len(march)) if march[k] in table]
            if pos >= len(march) or not nxt:
                break
            pos = nxt[0]
        return rows, timed_out
    finally:
        shutil.rmtree(work, ignore_errors=True)


def _marching(angles, step):
    """Table angles with intermediate steps of at most `step` degrees."""
    out = [angles[0]]
    for a, b in zip(angles, angles[1:]):
        n = max(1, int(round(abs(b - a) / step)))
        out += [a + (b - a) * k / n for k in range(1, n + 1)]
    return out


def polar(shim, t, m, re, mach, angles):
    """Both sweeps of one polar, marching up from 0 deg and down from 0 deg
    in steps of MARCH_STEP. Returns (dict alpha -> (cl, cd), timed_out)."""
    up = sorted(a for a in angles if a >= 0)
    down = [0.0] + sorted((a for a in angles if a < 0), reverse=True)
    result, timed_out = {}, False
    for part in (up, down):
        if len(part) < 2 and not (part and part[0] in angles):
            continue
        march = _marching(part, MARCH_STEP)
        if part is down:
            march = march[1:]
        rows, late = sweep(shim, t, m, re, mach, march, part)
        timed_out = timed_out or late
        for a, cl, cd in rows:
            for want in part:
                if abs(a - want) < 1e-3 and want in angles:
                    result[want] = (cl, cd)
    return result, timed_out
