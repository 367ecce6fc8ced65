"""Grid presets of the database. xfoil runs at the Mach numbers of
XFOIL_MACH (where the section stays subcritical); every other Mach number
is derived by the compressibility correction."""

ANGLES = [-10, -8, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
          13, 14, 15, 16, 17, 18, 20, 22, 25]

PRESETS = {
    "full": {
        "tc": [0.04, 0.06, 0.08, 0.10, 0.12, 0.15, 0.18, 0.25, 0.40],
        "camber": [0.0, 0.01, 0.02, 0.03, 0.045, 0.06],
        "reynolds": [3e4, 1e5, 5e5, 1e6, 3e6, 1e7],
        "mach": [0.0, 0.2, 0.4, 0.5, 0.6, 0.7, 0.75, 0.8, 0.85, 0.9],
        "xfoil_mach": [0.0, 0.4],
        # xfoil at Mach > 0 only below this thickness (Korn: still
        # subcritical at zero lift with margin)
        "xfoil_mach_max_tc": 0.15,
        # ... and only from this Reynolds number up (small, slow propellers
        # meet Mach 0.4 only at their tips, at higher Reynolds numbers)
        "xfoil_mach_min_re": 5e5,
        "angles": ANGLES,
    },
    # two values per axis: the generator's own test
    "tiny": {
        "tc": [0.08, 0.12],
        "camber": [0.0, 0.03],
        "reynolds": [2e5, 1e6],
        "mach": [0.0, 0.7],
        "xfoil_mach": [0.0],
        "xfoil_mach_max_tc": 0.31,
        "xfoil_mach_min_re": 0.0,
        "angles": [-6, -3, 0, 3, 6, 9, 12, 15],
    },
}
