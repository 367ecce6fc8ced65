"""NACA 4-digit sections from their analytic definition, for any maximum
camber (fraction of chord), camber position and thickness-to-chord ratio."""
import math

CAMBER_POSITION = 0.4  # maximum camber at 40 % chord


def camber_line(x, m, p=CAMBER_POSITION):
    """Mean-line ordinate and slope at chord position x."""
    if m <= 0.0:
        return 0.0, 0.0
    if x < p:
        return m / p**2 * (2 * p * x - x * x), 2 * m / p**2 * (p - x)
    return (m / (1 - p) ** 2 * ((1 - 2 * p) + 2 * p * x - x * x),
            2 * m / (1 - p) ** 2 * (p - x))


def half_thickness(x, t):
    return 5 * t * (0.2969 * math.sqrt(x) - 0.1260 * x - 0.3516 * x**2
                    + 0.2843 * x**3 - 0.1036 * x**4)


def coordinates(t, m, n=120):
    """Section outline from the upper trailing edge round the leading edge
    to the lower trailing edge (the order xfoil reads), cosine spacing."""
    upper, lower = [], []
    for i in range(n + 1):
        x = 0.5 * (1 - math.cos(math.pi * i / n))
        yc, slope = camber_line(x, m)
        yt = half_thickness(x, t)
        th = math.atan(slope)
        upper.append((x - yt * math.sin(th), yc + yt * math.cos(th)))
        lower.append((x + yt * math.sin(th), yc - yt * math.cos(th)))
    return upper[::-1] + lower[1:]


def zero_lift_angle_deg(m, p=CAMBER_POSITION, steps=2000):
    """Thin-aerofoil zero-lift angle of the mean line, degrees."""
    total = 0.0
    for k in range(steps):
        th = math.pi * (k + 0.5) / steps
        x = 0.5 * (1 - math.cos(th))
        total += camber_line(x, m, p)[1] * (math.cos(th) - 1) * math.pi / steps
    return -math.degrees(total / math.pi)


def write_dat(path, t, m):
    with open(path, "w") as out:
        out.write("NACA4 t=%.4f m=%.4f\n" % (t, m))
        for x, y in coordinates(t, m):
            out.write("%.7f %.7f\n" % (x, y))
