"""A few helpers that keep the SVG sources short and the same everywhere."""

FONT = "Liberation Sans"


def document(width, height, body, defs=""):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">\n'
        f"<defs>\n{defs}</defs>\n{body}</svg>\n"
    )


def linear(gid, stops, x1=0, y1=0, x2=0, y2=1):
    """Gradient in the shape's own box; stops are (offset, colour[, opacity])."""
    parts = [f'<linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">']
    parts += [_stop(s) for s in stops]
    parts.append("</linearGradient>\n")
    return "".join(parts)


def radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    parts = [f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}" fx="{fx}" fy="{fy}">']
    parts += [_stop(s) for s in stops]
    parts.append("</radialGradient>\n")
    return "".join(parts)


def _stop(s):
    opacity = s[2] if len(s) > 2 else 1
    return f'<stop offset="{s[0]}" stop-color="{s[1]}" stop-opacity="{opacity}"/>'


def blur(fid, deviation):
    return (
        f'<filter id="{fid}" x="-50%" y="-50%" width="200%" height="200%">'
        f'<feGaussianBlur stdDeviation="{deviation}"/></filter>\n'
    )


def text(x, y, content, size, fill, anchor="start", weight="normal", spacing=0, extra=""):
    return (
        f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" font-weight="{weight}" '
        f'letter-spacing="{spacing}" text-anchor="{anchor}" fill="{fill}" {extra}>'
        f"{escape(content)}</text>\n"
    )


def escape(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def hline(x0, x1, y, colour, opacity=1.0):
    """A crisp one-pixel row y from column x0 up to (not including) x1."""
    return f'<rect x="{x0}" y="{y}" width="{x1 - x0}" height="1" fill="{colour}" fill-opacity="{opacity}"/>\n'


def vline(x, y0, y1, colour, opacity=1.0):
    return f'<rect x="{x}" y="{y0}" width="1" height="{y1 - y0}" fill="{colour}" fill-opacity="{opacity}"/>\n'
