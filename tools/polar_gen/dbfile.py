"""The engine's binary polar file: 4-byte little-endian items, a header of
grids and angles, then per set (lift, drag), t/c, camber and Reynolds
number a keyed record of angle rows with one coefficient per Mach number."""
import struct

MAGIC = 7767223
MAX_GRID = 25
MAX_ANGLES = 30


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def checksum(db):
    """Sum over the lift set of int(cl * 256) truncated toward zero, in
    float32 as the engine computes it, wrapping in 32 bits (signed)."""
    total = 0
    for key in record_keys(db):
        for row in db["cl"][key]:
            for v in row:
                total = (total + int(f32(f32(v) * f32(256.0)))) & 0xFFFFFFFF
    return total - (1 << 32) if total >= (1 << 31) else total


def record_keys(db):
    return [(i, j, k) for i in range(len(db["tc"])) for j in range(len(db["camber"]))
            for k in range(len(db["reynolds"]))]


def write(path, db):
    """db: grids tc, camber, reynolds, mach, angles (deg) and tables cl, cd:
    dict (i_tc, i_camb, i_re) -> [angle][mach] coefficients."""
    for axis in ("mach", "reynolds", "tc", "camber"):
        n = len(db[axis])
        if not 1 <= n <= MAX_GRID:
            raise ValueError("grid %s has %d values, allowed 1..%d" % (axis, n, MAX_GRID))
        if any(b <= a for a, b in zip(db[axis], db[axis][1:])):
            raise ValueError("grid %s is not ascending: %r" % (axis, db[axis]))
    if not 2 <= len(db["angles"]) <= MAX_ANGLES:
        raise ValueError("%d angles, allowed 2..%d" % (len(db["angles"]), MAX_ANGLES))
    out = [struct.pack("<5i", MAGIC, len(db["mach"]), len(db["reynolds"]), len(db["tc"]),
                       len(db["camber"]))]
    for axis in ("mach", "reynolds", "tc", "camber"):
        out.append(struct.pack("<%df" % len(db[axis]), *db[axis]))
    for _ in range(2):
        out.append(struct.pack("<i", len(db["angles"])))
        out.append(struct.pack("<%df" % len(db["angles"]), *db["angles"]))
    for table in ("cl", "cd"):
        for key in record_keys(db):
            i, j, k = key
            out.append(struct.pack("<3f", db["tc"][i], db["camber"][j], db["reynolds"][k]))
            for a, row in zip(db["angles"], db[table][key]):
                out.append(struct.pack("<%df" % (1 + len(row)), a, *row))
    with open(path + ".tmp", "wb") as f:
        f.write(b"".join(out))
    import os
    os.replace(path + ".tmp", path)


def read(path):
    """Inverse of write (both sets must have the same angles)."""
    with open(path, "rb") as f:
        data = f.read()
    pos = 0

    def take(fmt):
        nonlocal pos
        vals = struct.unpack_from("<" + fmt, data, pos)
        pos += struct.calcsize("<" + fmt)
        return vals

    magic, nm, nr, nt, nc = take("5i")
    if magic != MAGIC:
        raise ValueError("%s: magic %d, expected %d" % (path, magic, MAGIC))
    db = {"mach": list(take("%df" % nm)), "reynolds": list(take("%df" % nr)),
          "tc": list(take("%df" % nt)), "camber": list(take("%df" % nc))}
    (na,) = take("i")
    db["angles"] = list(take("%df" % na))
    (nd,) = take("i")
    take("%df" % nd)
    for table, n in (("cl", na), ("cd", nd)):
        db[table] = {}
        for key in record_keys(db):
            take("3f")
            rows = []
            for _ in range(n):
                rows.append(list(take("%df" % (1 + nm))[1:]))
            db[table][key] = rows
    return db
