#!/usr/bin/env python3
"""Generator and viewer of the engine's airfoil polar database.

  polar_gen.py generate [--preset full|tiny] [--out FILE] [--points FILE]
                        [--cache DIR] [--jobs N]
  polar_gen.py dump FILE --tc T --camber C --reynolds RE
  polar_gen.py plot FILE --tc T --camber C --reynolds RE [--mach M ...] --svg OUT

`generate` runs xfoil for every (t/c, camber, Reynolds, xfoil Mach) polar
not yet in the cache, completes and corrects the polars, writes the binary
database and the side file of point marks, and prints the database's
checksum. It can be stopped and restarted: finished polars stay cached.
"""
import argparse
import concurrent.futures
import json
import os
import sys
import time

import corrections
import dbfile
import grids
import plot
import xfoil_run

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def cache_name(t, m, re, mach, angles):
    return "t%.4f_c%.4f_r%.0f_m%.3f_a%d.json" % (t, m, re, mach, len(angles))


def runs_xfoil(g, t, re, mach):
    """Whether xfoil computes the polar at this Mach number (else it comes
    from the compressibility correction)."""
    return mach == 0.0 or (t <= g["xfoil_mach_max_tc"] and re >= g["xfoil_mach_min_re"])


def xfoil_jobs(g):
    return [(t, m, re, mach) for mach in g["xfoil_mach"] for t in g["tc"]
            for m in g["camber"] for re in g["reynolds"] if runs_xfoil(g, t, re, mach)]


def run_xfoil(g, cache, jobs_n):
    os.makedirs(cache, exist_ok=True)
    shim = xfoil_run.build_shim(cache)
    jobs = xfoil_jobs(g)
    todo = [j for j in jobs if not os.path.exists(os.path.join(cache, cache_name(*j, g["angles"])))]
    total, done0 = len(jobs), len(jobs) - len(todo)
    print("polars: %d total, %d cached, %d to compute" % (total, done0, len(todo)), flush=True)
    start = time.time()

    def one(job):
        t, m, re, mach = job
        t0 = time.time()
        pts, timed_out = xfoil_run.polar(shim, t, m, re, mach, g["angles"])
        rec = {"tc": t, "camber": m, "reynolds": re, "mach": mach, "timed_out": timed_out,
               "seconds": round(time.time() - t0, 2),
               "points": [[a, cl, cd] for a, (cl, cd) in sorted(pts.items())]}
        path = os.path.join(cache, cache_name(t, m, re, mach, g["angles"]))
        with open(path + ".tmp", "w") as f:
            json.dump(rec, f)
        os.replace(path + ".tmp", path)
        return job

    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs_n) as pool:
        for n, job in enumerate(pool.map(one, todo), 1):
            el = time.time() - start
            left = el / n * (len(todo) - n)
            print("polars done %d / %d  (t/c %.2f camber %.3f Re %.0e M %.1f)  elapsed %dm%02ds"
                  "  time left %dm%02ds" % (done0 + n, total, job[0], job[1], job[2], job[3],
                                            el // 60, el % 60, left // 60, left % 60), flush=True)


def load_cached(g, cache, t, m, re, mach):
    """Converged xfoil points of one polar, None when not in the cache."""
    path = os.path.join(cache, cache_name(t, m, re, mach, g["angles"]))
    if not os.path.exists(path):
        return None
    with open(path) as f:
        rec = json.load(f)
    return {p[0]: (p[1], p[2]) for p in rec["points"]}


def build(g, cache):
    """Completed tables and point marks from the cached xfoil polars."""
    angles = g["angles"]
    db = {k: g[k] for k in ("tc", "camber", "reynolds", "mach")}
    db["angles"] = [float(a) for a in angles]
    db["cl"], db["cd"], marks = {}, {}, {}
    for key in dbfile.record_keys(db):
        i, j, k = key
        t, m, re = g["tc"][i], g["camber"][j], g["reynolds"][k]
        # completed polars at the xfoil Mach numbers, lowest first
        base = {}
        for mach in g["xfoil_mach"]:
            if not runs_xfoil(g, t, re, mach):
                continue
            raw = load_cached(g, cache, t, m, re, mach)
            if raw is None:
                if mach == 0.0:
                    raise SystemExit("no xfoil polar for t/c %g camber %g Re %g Mach 0 in %s"
                                     % (t, m, re, cache))
                continue  # not computed (build-only run): corrected from below
            pts = corrections.clean(raw, t, mach)
            lower = max((mm for mm in base), default=None)
            if corrections.usable(pts):
                cl, cd, mk = corrections.complete(pts, angles)
                if lower is not None:
                    # supercritical or failed points from the lower Mach number
                    for n, a in enumerate(angles):
                        if a not in pts:
                            lcl, lcd, _ = base[lower]
                            cl[n], cd[n] = corrections.compressible(lcl[n], lcd[n], t, lower, mach)
                            mk[n] = "P"
            elif lower is None:
                cl, cd, mk = corrections.thin_aerofoil(t, m, re, angles)
            else:
                continue
            base[mach] = (cl, cd, mk)
        cl_rows = [[0.0] * len(g["mach"]) for _ in angles]
        cd_rows = [[0.0] * len(g["mach"]) for _ in angles]
        mk_rows = [[""] * len(g["mach"]) for _ in angles]
        for q, mach in enumerate(g["mach"]):
            if mach in base:
                cl, cd, mk = base[mach]
                for n in range(len(angles)):
                    cl_rows[n][q], cd_rows[n][q], mk_rows[n][q] = cl[n], cd[n], mk[n]
                continue
            src = max((mm for mm in base if mm < mach), default=min(base))
            cl, cd, mk = base[src]
            for n in range(len(angles)):
                c, d = corrections.compressible(cl[n], cd[n], t, src, mach)
                cl_rows[n][q], cd_rows[n][q] = c, d
                mk_rows[n][q] = "M" if mk[n] == "M" else "P"
        db["cl"][key], db["cd"][key], marks[key] = cl_rows, cd_rows, mk_rows
    return db, marks


def write_points(path, db, marks, checksum, db_name):
    counts = {}
    lines = []
    for key in dbfile.record_keys(db):
        i, j, k = key
        for q, mach in enumerate(db["mach"]):
            s = "".join(marks[key][n][q] for n in range(len(db["angles"])))
            for ch in s:
                counts[ch] = counts.get(ch, 0) + 1
            lines.append("%.4f %.4f %.4g %.3f %s" % (db["tc"][i], db["camber"][j],
                                                      db["reynolds"][k], mach, s))
    total = sum(counts.values())
    names = {"C": "computed by xfoil", "F": "filled by interpolation in angle",
             "X": "extended by the post-stall model", "P": "corrected for compressibility",
             "M": "thin-aerofoil model (no usable xfoil polar)"}
    with open(path, "w") as f:
        f.write("# Point marks of the polar database %s\n" % db_name)
        f.write("# checksum of the lift set: %d\n" % checksum)
        f.write("# angles (deg): %s\n" % " ".join("%g" % a for a in db["angles"]))
        for ch in "CFXPM":
            f.write("# %s %-45s %7d points  %5.1f %%\n"
                    % (ch, names[ch], counts.get(ch, 0), 100.0 * counts.get(ch, 0) / total))
        f.write("# columns: t/c camber Reynolds Mach, then one mark per angle\n")
        f.write("\n".join(lines) + "\n")
    return counts, total


def cmd_generate(a):
    g = grids.PRESETS[a.preset]
    t0 = time.time()
    if not a.build_only:
        run_xfoil(g, a.cache, a.jobs)
    db, marks = build(g, a.cache)
    dbfile.write(a.out, db)
    cs = dbfile.checksum(db)
    counts, total = write_points(a.points, db, marks, cs, os.path.basename(a.out))
    print("wrote %s  checksum %d (0x%08X)  in %.0f s" % (a.out, cs, cs & 0xFFFFFFFF,
                                                        time.time() - t0))
    print("points: " + "  ".join("%s %.1f%%" % (ch, 100.0 * counts.get(ch, 0) / total)
                                 for ch in "CFXPM"))


def _slice_index(db, a):
    def near(axis, v):
        return min(range(len(db[axis])), key=lambda n: abs(db[axis][n] - v))
    return near("tc", a.tc), near("camber", a.camber), near("reynolds", a.reynolds)


def cmd_dump(a):
    db = dbfile.read(a.file)
    key = _slice_index(db, a)
    i, j, k = key
    print("t/c %.4f  camber %.4f  Reynolds %.4g" % (db["tc"][i], db["camber"][j],
                                                     db["reynolds"][k]))
    print("alpha  " + " ".join("  CL M%-4.2f  CD M%-4.2f" % (m, m) for m in db["mach"]))
    for n, alpha in enumerate(db["angles"]):
        print("%5.1f  " % alpha + " ".join(
            "%10.4f %10.5f" % (db["cl"][key][n][q], db["cd"][key][n][q])
            for q in range(len(db["mach"]))))


def cmd_plot(a):
    db = dbfile.read(a.file)
    key = _slice_index(db, a)
    machs = a.mach or [db["mach"][0]]
    series = []
    for mach in machs:
        q = min(range(len(db["mach"])), key=lambda n: abs(db["mach"][n] - mach))
        series.append(("M %.2f" % db["mach"][q], [r[q] for r in db["cl"][key]],
                       [r[q] for r in db["cd"][key]]))
    i, j, k = key
    title = "t/c %.3f, camber %.3f, Re %.3g" % (db["tc"][i], db["camber"][j], db["reynolds"][k])
    plot.write_svg(a.svg, title, db["angles"], series)
    print("wrote " + a.svg)


def main(argv):
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = p.add_subparsers(dest="cmd", required=True)
    gp = sub.add_parser("generate")
    gp.add_argument("--preset", default="full", choices=sorted(grids.PRESETS))
    gp.add_argument("--out", default=os.path.join(ROOT, "data", "naca4_polars.bin"))
    gp.add_argument("--points", default=None)
    gp.add_argument("--cache", default=os.path.join(HERE, "cache"))
    gp.add_argument("--jobs", type=int, default=1)
    gp.add_argument("--build-only", action="store_true",
                    help="no xfoil runs: build from the cache; Mach > 0 polars not in the "
                         "cache are derived by the compressibility correction")
    for name in ("dump", "plot"):
        sp = sub.add_parser(name)
        sp.add_argument("file")
        sp.add_argument("--tc", type=float, default=0.12)
        sp.add_argument("--camber", type=float, default=0.0)
        sp.add_argument("--reynolds", type=float, default=1e6)
        if name == "plot":
            sp.add_argument("--mach", type=float, action="append")
            sp.add_argument("--svg", required=True)
    a = p.parse_args(argv)
    if a.cmd == "generate":
        if a.points is None:
            a.points = os.path.splitext(a.out)[0] + "_points.txt"
        cmd_generate(a)
    elif a.cmd == "dump":
        cmd_dump(a)
    else:
        cmd_plot(a)


if __name__ == "__main__":
    main(sys.argv[1:])
