"""A small SVG plot of lift and drag coefficient against angle of attack,
written without any plotting library."""

COLOURS = ["#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#8c564b"]


def _panel(x0, y0, w, h, label, angles, curves, lo, hi):
    out = ['<rect x="%d" y="%d" width="%d" height="%d" fill="none" stroke="#444"/>'
           % (x0, y0, w, h)]
    amin, amax = min(angles), max(angles)

    def px(a):
        return x0 + (a - amin) / (amax - amin) * w

    def py(v):
        return y0 + h - (v - lo) / (hi - lo) * h

    for k in range(6):
        v = lo + (hi - lo) * k / 5
        out.append('<line x1="%d" y1="%.1f" x2="%d" y2="%.1f" stroke="#ddd"/>'
                   % (x0, py(v), x0 + w, py(v)))
        out.append('<text x="%d" y="%.1f" font-size="11" text-anchor="end">%.3g</text>'
                   % (x0 - 4, py(v) + 4, v))
    a = amin
    while a <= amax:
        out.append('<text x="%.1f" y="%d" font-size="11" text-anchor="middle">%g</text>'
                   % (px(a), y0 + h + 14, a))
        a += 5
    out.append('<text x="%d" y="%d" font-size="13">%s</text>' % (x0 + 6, y0 + 16, label))
    for n, (name, values) in enumerate(curves):
        pts = " ".join("%.1f,%.1f" % (px(a), py(v)) for a, v in zip(angles, values))
        c = COLOURS[n % len(COLOURS)]
        out.append('<polyline fill="none" stroke="%s" stroke-width="1.6" points="%s"/>' % (c, pts))
        for a, v in zip(angles, values):
            out.append('<circle cx="%.1f" cy="%.1f" r="2" fill="%s"/>' % (px(a), py(v), c))
        out.append('<text x="%d" y="%d" font-size="12" fill="%s">%s</text>'
                   % (x0 + w - 80, y0 + 18 + 15 * n, c, name))
    return out


def write_svg(path, title, angles, series):
    """series: [(name, cl list, cd list)]."""
    cls = [v for _, cl, _ in series for v in cl]
    cds = [v for _, _, cd in series for v in cd]
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="900" height="420">',
           '<rect width="100%" height="100%" fill="white"/>',
           '<text x="450" y="20" font-size="15" text-anchor="middle">%s</text>' % title]
    out += _panel(60, 40, 360, 330, "CL", angles, [(n, cl) for n, cl, _ in series],
                  min(cls + [0.0]), max(cls) * 1.05)
    out += _panel(500, 40, 360, 330, "CD", angles, [(n, cd) for n, _, cd in series],
                  0.0, max(cds) * 1.05)
    out.append('<text x="240" y="405" font-size="12" text-anchor="middle">alpha (deg)</text>')
    out.append('<text x="680" y="405" font-size="12" text-anchor="middle">alpha (deg)</text>')
    out.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")
