"""Completion of raw xfoil polars: rejection of unusable points, gap filling
in angle, post-stall extension and the compressibility correction.

Point marks (side file): C computed by xfoil, F filled by interpolation in
angle, X extended by the post-stall model, P corrected for compressibility
from a lower Mach number, M thin-aerofoil model (no usable xfoil polar)."""
import math

import naca4

KORN_KAPPA = 0.87            # Korn technology factor, conventional sections
CRIT_OFFSET = (0.1 / 80.0) ** (1.0 / 3.0)  # Mdd - Mcrit from Lock's law
LOCK_FACTOR = 20.0           # wave drag 20 (M - Mcrit)^4
VITERNA_ASPECT = 10.0        # blade aspect ratio of the Viterna CDmax
CD_MAX = 1.11 + 0.018 * VITERNA_ASPECT
SHOCK_LIFT_LOSS = 2.0        # lift lost per unit Mach beyond divergence
SHOCK_LIFT_FLOOR = 0.6       # ... down to this share of the divergence lift
MIN_POINTS = 4               # fewer usable points: polar not usable
OUTLIER_CL = 0.3             # cl jump against both neighbours
STALL_MIN_DEG = 8.0          # lift curve continued at least to this angle
NEG_STALL_MIN_DEG = 6.0      # ... and down to minus this angle


def drag_divergence_mach(t, cl):
    return KORN_KAPPA - t - abs(cl) / 10.0


def critical_mach(t, cl):
    return drag_divergence_mach(t, cl) - CRIT_OFFSET


def clean(raw, t, mach):
    """Drops points xfoil got wrong: non-physical values, isolated lift
    jumps, and (for Mach > 0) supercritical points, where xfoil's
    compressibility model no longer holds."""
    pts = {a: v for a, v in raw.items()
           if 0.0 < v[1] < 0.5 and abs(v[0]) < 2.8 and math.isfinite(v[0])}
    if mach > 0.0:
        beta = math.sqrt(1.0 - mach * mach)
        pts = {a: v for a, v in pts.items() if mach < critical_mach(t, v[0] * beta)}
    keys = sorted(pts)
    drop = set()
    for k in range(1, len(keys) - 1):
        a0, a1, a2 = keys[k - 1], keys[k], keys[k + 1]
        mid = pts[a0][0] + (pts[a2][0] - pts[a0][0]) * (a1 - a0) / (a2 - a0)
        if (abs(pts[a1][0] - mid) > OUTLIER_CL and abs(pts[a1][0] - pts[a0][0]) > OUTLIER_CL
                and abs(pts[a1][0] - pts[a2][0]) > OUTLIER_CL):
            drop.add(a1)
    return {a: v for a, v in pts.items() if a not in drop}


def _viterna(alpha_s, cl_s, cd_s, alpha):
    """Viterna-Corrigan post-stall values at alpha (degrees), matched to the
    anchor point (alpha_s, cl_s, cd_s); tends to flat-plate behaviour."""
    s = math.radians(alpha_s)
    a = math.radians(alpha)
    a2 = (cl_s - CD_MAX * math.sin(s) * math.cos(s)) * math.sin(s) / math.cos(s) ** 2
    b2 = (cd_s - CD_MAX * math.sin(s) ** 2) / math.cos(s)
    cl = CD_MAX / 2.0 * math.sin(2 * a) + a2 * math.cos(a) ** 2 / math.sin(a)
    cd = CD_MAX * math.sin(a) ** 2 + b2 * math.cos(a)
    return cl, max(cd, cd_s)


def usable(points):
    """A polar worth completing: enough points on both sides of 0 deg."""
    keys = sorted(points)
    return len(keys) >= MIN_POINTS and keys[0] <= 0.0 and keys[-1] >= 2.0


def _virtual_anchor(points, side):
    """Where xfoil gave up early (leading-edge stall of thin sections, or a
    failed march), the lift curve is continued with its last slope (kept
    within 0.05..0.12 per degree) to STALL_MIN_DEG (upper side) or
    -NEG_STALL_MIN_DEG (lower side); the post-stall model starts there.
    Returns the anchor (angle, cl, cd) or None when xfoil got that far."""
    keys = sorted(points)
    if side > 0:
        a1, a0, target = keys[-1], keys[-2], STALL_MIN_DEG
        if a1 >= target:
            return None
    else:
        a1, a0, target = keys[0], keys[1], -NEG_STALL_MIN_DEG
        if a1 <= target:
            return None
    slope = (points[a1][0] - points[a0][0]) / (a1 - a0)
    slope = min(max(slope, 0.05), 0.12)
    dslope = (points[a1][1] - points[a0][1]) / (a1 - a0)
    cd = points[a1][1] + max(dslope * side, 0.0) * side * (target - a1)
    return target, points[a1][0] + slope * (target - a1), max(cd, points[a1][1])


def complete(points, angles):
    """Full polar on `angles` from the usable points: linear in angle across
    gaps, Viterna beyond either end (after a virtual anchor where xfoil
    stopped early). Returns (cl list, cd list, marks)."""
    pts = dict(points)
    for side in (1, -1):
        anchor = _virtual_anchor(points, side)
        if anchor is not None:
            pts[anchor[0]] = (anchor[1], anchor[2])
    keys = sorted(pts)
    cl, cd, marks = [], [], []
    for a in angles:
        if a in points:
            v, mark = points[a], "C"
        elif a in pts:
            v, mark = pts[a], "X"
        elif keys[0] < a < keys[-1]:
            lo = max(k for k in keys if k < a)
            hi = min(k for k in keys if k > a)
            w = (a - lo) / (hi - lo)
            v = tuple(pts[lo][i] + w * (pts[hi][i] - pts[lo][i]) for i in (0, 1))
            mark = "F" if lo in points and hi in points else "X"
        elif a > keys[-1]:
            s = keys[-1]
            v, mark = _viterna(s, pts[s][0], pts[s][1], a), "X"
        else:
            s = keys[0]
            c, d = _viterna(-s, -pts[s][0], pts[s][1], -a)
            v, mark = (-c, d), "X"
        cl.append(v[0])
        cd.append(v[1])
        marks.append(mark)
    return cl, cd, marks


def thin_aerofoil(t, m, re, angles):
    """Fallback where xfoil gave no usable polar: lift slope 0.9 * 2 pi from
    the mean line's zero-lift angle up to 12 deg, flat-plate friction with a
    form factor, then Viterna."""
    a0 = naca4.zero_lift_angle_deg(m)
    cf = 0.074 / re**0.2 if re > 5e5 else 1.328 / math.sqrt(re)
    cd0 = 2.0 * cf * (1.0 + 2.0 * t + 60.0 * t**4)
    pts = {}
    for a in angles:
        if -8.0 <= a <= 12.0:
            cl = 0.9 * 2.0 * math.pi * math.radians(a - a0)
            pts[a] = (cl, cd0 + 0.01 * cl * cl)
    cl, cd, _ = complete(pts, angles)
    return cl, cd, ["M"] * len(angles)


def compressible(cl0, cd0, t, mach0, mach):
    """Point at `mach` from the point (cl0, cd0) valid at `mach0` < mach:
    Prandtl-Glauert lift scaling up to the Korn drag-divergence Mach
    number, a linear shock-induced lift loss beyond it, and Lock's wave drag
    above the critical Mach number."""
    beta0 = math.sqrt(1.0 - mach0 * mach0)
    cl_inc = cl0 * beta0
    mdd = drag_divergence_mach(t, cl_inc)
    mcrit = mdd - CRIT_OFFSET
    m_lift = min(mach, max(mdd, mach0))
    cl = cl_inc / math.sqrt(1.0 - m_lift * m_lift)
    if mach > mdd:
        cl *= max(SHOCK_LIFT_FLOOR, 1.0 - SHOCK_LIFT_LOSS * (mach - max(mdd, mach0)))
    def wave(m):
        return LOCK_FACTOR * (m - mcrit) ** 4 if m > mcrit else 0.0

    return cl, cd0 + wave(mach) - wave(mach0)
