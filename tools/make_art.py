#!/usr/bin/env python3
"""Writes the keyboard's artwork (resources/art/*.svg and the application icon).

The pictures share one palette and a few drawing helpers, so they are generated
rather than kept by hand; the SVGs are committed as the sources the program
compiles in. Run it from anywhere: tools/make_art.py [resources dir]

Every picture keeps to what QtSvg draws (SVG Tiny 1.2): paths, gradients and
text, no filters or masks. Sizes are the exact pixel sizes of the controls.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
RES = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, '..', 'resources')
ART = os.path.join(RES, 'art')
FONT = "WenQuanYi Micro Hei"

# Palette
BODY_TOP, BODY_MID, BODY_BOT = '#3c4658', '#283040', '#1a1f2a'
ACCENT = '#2fb4ec'
LCD = '#20aadf'          # the sound-wave canvas background, RGB(32,170,223)
LABEL = '#c3cedb'
INK = '#1e232b'


def svg(w, h, body, defs='', extra=''):
    d = f'<defs>{defs}</defs>\n' if defs else ''
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{w}" height="{h}" viewBox="0 0 {w} {h}"{extra}>\n{d}{body}</svg>\n')


def lin(id_, stops, x1=0, y1=0, x2=0, y2=1, user=False):
    units = ' gradientUnits="userSpaceOnUse"' if user else ''
    s = ''.join(f'<stop offset="{o}" stop-color="{c}"' + (f' stop-opacity="{a}"' if a != 1 else '') + '/>'
                for o, c, a in (st if len(st) == 3 else (*st, 1) for st in stops))
    return f'<linearGradient id="{id_}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}"{units}>{s}</linearGradient>'


def rad(id_, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, user=False):
    units = ' gradientUnits="userSpaceOnUse"' if user else ''
    f = f' fx="{fx}" fy="{fy}"' if fx is not None else ''
    s = ''.join(f'<stop offset="{o}" stop-color="{c}"' + (f' stop-opacity="{a}"' if a != 1 else '') + '/>'
                for o, c, a in (st if len(st) == 3 else (*st, 1) for st in stops))
    return f'<radialGradient id="{id_}" cx="{cx}" cy="{cy}" r="{r}"{f}{units}>{s}</radialGradient>'


def rect(x, y, w, h, fill, rx=0, stroke=None, sw=1, extra=''):
    st = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ''
    r = f' rx="{rx}" ry="{rx}"' if rx else ''
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}"{r} fill="{fill}"{st}{extra}/>\n'


def text(x, y, s, size, fill, anchor='middle', weight='normal', extra=''):
    w = ' font-weight="bold"' if weight == 'bold' else ''
    return (f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}"{w} fill="{fill}" '
            f'text-anchor="{anchor}"{extra}>{s}</text>\n')


def write(name, content, folder=None):
    path = os.path.join(folder or ART, name + '.svg')
    with open(path, 'w', encoding='utf-8') as f:
        f.write(content)


# ---------------------------------------------------------------- buttons

def rubber_button(w, h, down, symbol, id_='b'):
    """A dark rubber transport button; pressed it sinks and its symbol lights."""
    defs = (lin(id_ + 'f', [(0, '#262b33'), (1, '#3a414c')]) if down else
            lin(id_ + 'f', [(0, '#5b6473'), (0.5, '#3f4652'), (1, '#2d333c')]))
    body = rect(0.5, 0.5, w - 1, h - 1, '#0d1015', rx=4)
    body += rect(1.5, 1.5, w - 3, h - 3, f'url(#{id_}f)', rx=3)
    if not down:
        body += f'<path d="M4 2.5 H{w - 4}" stroke="#7b8596" stroke-width="1" fill="none"/>\n'
    else:
        body += f'<path d="M4 {h - 2.5} H{w - 4}" stroke="#4a5260" stroke-width="1" fill="none"/>\n'
    return svg(w, h, body + symbol, defs)


def record(down):
    cx, cy = 16, 10.5 + (0.5 if down else 0)
    if down:
        defs = rad('rd', [(0, '#ffd0c8'), (0.35, '#ff4a36'), (1, '#b3140a')], fx=0.4, fy=0.35)
        glow = rad('rg', [(0, '#ff3a2a', 0.55), (1, '#ff3a2a', 0)])
        sym = (f'<circle cx="{cx}" cy="{cy}" r="8.5" fill="url(#rg)"/>\n'
               f'<circle cx="{cx}" cy="{cy}" r="5" fill="url(#rd)" stroke="#6e0a04" stroke-width="0.6"/>\n')
        return rubber_button(32, 21, True, sym).replace('<defs>', '<defs>' + defs + glow)
    defs = rad('rd', [(0, '#f08a80'), (0.45, '#c8281c'), (1, '#7a1008')], fx=0.4, fy=0.35)
    sym = f'<circle cx="{cx}" cy="{cy}" r="5" fill="url(#rd)" stroke="#3c0703" stroke-width="0.6"/>\n'
    return rubber_button(32, 21, False, sym).replace('<defs>', '<defs>' + defs)


def stop(down):
    o = 0.5 if down else 0
    fill = '#f2f5f8' if down else '#c9d0d9'
    sym = rect(12.5, 6.5 + o, 8, 8, fill, rx=1, stroke='#20252c', sw=0.6)
    return rubber_button(33, 21, down, sym)


def play(down):
    o = 0.5 if down else 0
    if down:
        defs = lin('pg', [(0, '#b9ffb0'), (1, '#2fd04a')])
        glow = rad('pgl', [(0, '#3cff5a', 0.5), (1, '#3cff5a', 0)])
        sym = (f'<circle cx="17" cy="{10.5 + o}" r="8.5" fill="url(#pgl)"/>\n'
               f'<path d="M13.5 {5.5 + o} L21.5 {10.5 + o} L13.5 {15.5 + o} Z" fill="url(#pg)" '
               f'stroke="#0d5a1a" stroke-width="0.6" stroke-linejoin="round"/>\n')
        return rubber_button(33, 21, True, sym).replace('<defs>', '<defs>' + defs + glow)
    defs = lin('pg', [(0, '#8fe08a'), (1, '#2f9a3c')])
    sym = (f'<path d="M13.5 5.5 L21.5 10.5 L13.5 15.5 Z" fill="url(#pg)" '
           f'stroke="#0f3d16" stroke-width="0.6" stroke-linejoin="round"/>\n')
    return rubber_button(33, 21, False, sym).replace('<defs>', '<defs>' + defs)


def silver_button(w, h, caption, down, size=11):
    """Light brushed-metal command button with a dark caption."""
    if down:
        defs = lin('sf', [(0, '#8d97a3'), (1, '#b9c1ca')])
    else:
        defs = lin('sf', [(0, '#f4f6f8'), (0.5, '#d6dbe1'), (0.51, '#c9cfd6'), (1, '#aeb6c0')])
    o = 0.6 if down else 0
    body = rect(0.5, 0.5, w - 1, h - 1, '#10141a', rx=4)
    body += rect(1.5, 1.5, w - 3, h - 3, 'url(#sf)', rx=3)
    if not down:
        body += f'<path d="M4 2.5 H{w - 4}" stroke="#ffffff" stroke-opacity="0.8" stroke-width="1" fill="none"/>\n'
    body += text(w / 2, h / 2 + size * 0.36 + o, caption, size, '#1b2029' if not down else '#0c0f14')
    return svg(w, h, body, defs)


def settings(down):
    """Oval blue button with a gear and the caption."""
    w, h = 46, 22
    if down:
        defs = lin('of', [(0, '#0f4f7a'), (1, '#2a8fcf')])
    else:
        defs = lin('of', [(0, '#7fd3ff'), (0.45, '#2f9ee0'), (1, '#135d93')])
    o = 0.6 if down else 0
    body = f'<ellipse cx="23" cy="11" rx="22.5" ry="10.5" fill="#0a1018"/>\n'
    body += f'<ellipse cx="23" cy="11" rx="21.3" ry="9.4" fill="url(#of)"/>\n'
    if not down:
        body += (f'<ellipse cx="23" cy="6.2" rx="15" ry="3.6" fill="#ffffff" fill-opacity="0.28"/>\n')
    body += gear(11.5, 11 + o, 4.2, '#f4fbff')
    body += text(29, 15.2 + o, '设置', 11, '#ffffff')
    return svg(w, h, body, defs)


def gear(cx, cy, r, fill, teeth=8):
    pts = []
    for i in range(teeth * 2):
        a0 = math.pi * 2 * i / (teeth * 2)
        rr = r if i % 2 == 0 else r * 0.72
        for da in (-0.17, 0.17):
            a = a0 + da
            pts.append(f'{cx + rr * math.cos(a):.2f} {cy + rr * math.sin(a):.2f}')
    d = 'M' + ' L'.join(pts) + ' Z'
    return (f'<path d="{d}" fill="{fill}"/>\n'
            f'<circle cx="{cx}" cy="{cy}" r="{r * 0.32:.2f}" fill="#1a6fa8"/>\n')


def preset(n, down):
    w, h = 33, 17
    defs = (lin('pf', [(0, '#1f242c'), (1, '#323945')]) if down else
            lin('pf', [(0, '#555e6c'), (0.5, '#3d4450'), (1, '#2b313a')]))
    o = 0.5 if down else 0
    body = rect(0.5, 0.5, w - 1, h - 1, '#0b0e12', rx=3)
    body += rect(1.5, 1.5, w - 3, h - 3, 'url(#pf)', rx=2)
    if not down:
        body += f'<path d="M3.5 2.5 H{w - 3.5}" stroke="#76808f" stroke-width="1" fill="none"/>\n'
    if down:
        defs += rad('lamp', [(0, '#eaffd8'), (0.4, '#5dff3a'), (1, '#1c9a0c')], fx=0.4, fy=0.35)
        defs += rad('lg', [(0, '#5dff3a', 0.6), (1, '#5dff3a', 0)])
        body += f'<circle cx="7.5" cy="{8.5 + o}" r="5.5" fill="url(#lg)"/>\n'
        body += f'<circle cx="7.5" cy="{8.5 + o}" r="2.6" fill="url(#lamp)" stroke="#0c4a05" stroke-width="0.5"/>\n'
    else:
        body += f'<circle cx="7.5" cy="8.5" r="2.6" fill="#1d3a1a" stroke="#0c140b" stroke-width="0.5"/>\n'
    body += text(20.5, 12.6 + o, str(n), 10.5, '#f2f6fa' if down else '#d7dee7')
    return svg(w, h, body, defs)


def knob(down):
    """Fader cap: metal with grip ridges and a bright index line."""
    w, h = 17, 26
    defs = lin('kf', [(0, '#e9edf2'), (0.5, '#aab3be'), (1, '#6f7884')])
    defs += lin('ks', [(0, '#5f6873'), (0.5, '#dfe4ea'), (1, '#5f6873')], x2=1, y2=0)
    body = rect(0.5, 0.5, 16, 25, '#0c0f13', rx=2.5)
    body += rect(1.5, 1.5, 14, 23, 'url(#kf)', rx=1.8)
    body += rect(2.5, 2.5, 12, 21, 'url(#ks)', rx=1.2, extra=' fill-opacity="0.55"')
    for y in (5.5, 8.5, 17.5, 20.5):
        body += f'<path d="M3.5 {y} H13.5" stroke="#4c5560" stroke-width="1" fill="none"/>\n'
        body += f'<path d="M3.5 {y + 1} H13.5" stroke="#f2f5f8" stroke-opacity="0.7" stroke-width="1" fill="none"/>\n'
    index = ACCENT if down else '#f7f9fb'
    body += rect(2, 12, 13, 2, index)
    body += f'<path d="M2 11.5 H15" stroke="#30363e" stroke-width="1" fill="none"/>\n'
    if down:
        body += rect(0.5, 0.5, 16, 25, 'none', rx=2.5, stroke=ACCENT, sw=1)
    return svg(w, h, body, defs)


def round_button(down, icon):
    w = h = 23
    if down:
        defs = lin('rf', [(0, '#1b4f78'), (1, '#2f8fd0')])
    else:
        defs = lin('rf', [(0, '#6a7483'), (0.5, '#444c58'), (1, '#2c323b')])
    body = '<circle cx="11.5" cy="11.5" r="11" fill="#090c10"/>\n'
    body += '<circle cx="11.5" cy="11.5" r="9.8" fill="url(#rf)"/>\n'
    if not down:
        body += '<ellipse cx="11.5" cy="6.5" rx="6.5" ry="3" fill="#ffffff" fill-opacity="0.18"/>\n'
    else:
        body += '<circle cx="11.5" cy="11.5" r="10.4" fill="none" stroke="#57c8ff" stroke-width="0.9"/>\n'
    return svg(w, h, body + icon(down), defs)


def wave_icon(down):
    c = '#b8f4ff' if down else '#d4dce6'
    o = 0.5 if down else 0
    pts = ' L'.join(f'{5 + i * 0.5:.2f} {11.5 + o - 4 * math.sin((i * 0.5) / 13 * 2 * math.pi):.2f}'
                    for i in range(27))
    bars = ''.join(rect(5.5 + i * 3, 17 - hgt + o, 2, hgt, c, extra=' fill-opacity="0.55"')
                   for i, hgt in enumerate((2, 3, 4, 3, 2)))
    return f'<path d="M{pts}" fill="none" stroke="{c}" stroke-width="1.6" stroke-linecap="round"/>\n'


def notes_icon(down):
    c = '#b8f4ff' if down else '#d4dce6'
    o = 0.5 if down else 0
    # two beamed eighth notes
    return (f'<ellipse cx="8" cy="{15.2 + o}" rx="2.4" ry="1.8" fill="{c}" transform="rotate(-20 8 {15.2 + o})"/>\n'
            f'<ellipse cx="15" cy="{13.7 + o}" rx="2.4" ry="1.8" fill="{c}" transform="rotate(-20 15 {13.7 + o})"/>\n'
            f'<path d="M9.9 {14.6 + o} V{6.6 + o} L16.9 {5.1 + o} V{13.1 + o}" fill="none" stroke="{c}" stroke-width="1.2"/>\n'
            f'<path d="M9.9 {7.6 + o} L16.9 {6.1 + o}" stroke="{c}" stroke-width="2"/>\n')


def title_button(kind, down):
    w, h = 35, 23
    if down:
        hot = '#c4332b' if kind == 'exit' else '#2a86c8'
        defs = lin('tf', [(0, hot), (1, '#1a1e25')])
    else:
        defs = lin('tf', [(0, '#4c5565'), (1, '#252b35')])
    o = 0.5 if down else 0
    body = rect(0.5, 0.5, w - 1, h - 1, '#0b0e12', rx=4)
    body += rect(1.5, 1.5, w - 3, h - 3, 'url(#tf)', rx=3)
    if not down:
        body += f'<path d="M4 2.5 H{w - 4}" stroke="#6f7a8b" stroke-width="1" fill="none"/>\n'
    c = '#ffffff' if down else '#d6dde6'
    if kind == 'exit':
        body += (f'<path d="M13 {7 + o} L22 {16 + o} M22 {7 + o} L13 {16 + o}" stroke="{c}" '
                 f'stroke-width="2" stroke-linecap="round"/>\n')
    else:
        body += f'<path d="M12.5 {15 + o} H22.5" stroke="{c}" stroke-width="2" stroke-linecap="round"/>\n'
    return svg(w, h, body, defs)


# ---------------------------------------------------------------- speaker

def speaker_parts(cx, cy, lit, pfx):
    """Chrome ring, grille disc with a hexagonal field of holes, centre cap."""
    defs = lin(pfx + 'ring', [(0, '#e4e9ef'), (0.45, '#8e98a6'), (0.55, '#5c6573'), (1, '#c9d0d9')])
    if lit:
        defs += rad(pfx + 'disc', [(0, '#9cecff'), (0.45, '#2fb4ec'), (1, '#0b3a5e')])
        hole, hole_op = '#e8fbff', 0.85
    else:
        defs += rad(pfx + 'disc', [(0, '#4a5463'), (0.7, '#2c333e'), (1, '#171b22')], fx=0.4, fy=0.35)
        hole, hole_op = '#07090c', 1
    defs += rad(pfx + 'cap', [(0, '#ffffff'), (0.5, '#b9c2cd'), (1, '#5b6471')], fx=0.35, fy=0.3)
    body = f'<circle cx="{cx}" cy="{cy}" r="37" fill="#07090c"/>\n'
    body += f'<circle cx="{cx}" cy="{cy}" r="35.8" fill="url(#{pfx}ring)"/>\n'
    body += f'<circle cx="{cx}" cy="{cy}" r="32.6" fill="#0b0e12"/>\n'
    body += f'<circle cx="{cx}" cy="{cy}" r="31.8" fill="url(#{pfx}disc)"/>\n'
    holes = []
    step = 4.2
    rows = int(32 / (step * 0.866)) + 1
    for j in range(-rows, rows + 1):
        y = cy + j * step * 0.866
        off = (step / 2) if j % 2 else 0
        for i in range(-9, 10):
            x = cx + i * step + off
            d = math.hypot(x - cx, y - cy)
            if d < 29.5 and d > 8.8:
                holes.append(f'M{x + 1.25:.2f} {y:.2f} a1.25 1.25 0 1 0 -2.5 0 a1.25 1.25 0 1 0 2.5 0 Z')
    body += f'<path d="{" ".join(holes)}" fill="{hole}" fill-opacity="{hole_op}"/>\n'
    body += f'<circle cx="{cx}" cy="{cy}" r="7.6" fill="#0b0e12"/>\n'
    body += f'<circle cx="{cx}" cy="{cy}" r="6.8" fill="url(#{pfx}cap)"/>\n'
    body += (f'<circle cx="{cx}" cy="{cy}" r="2.2" fill="{"#e8fbff" if lit else ACCENT}"/>\n')
    return defs, body


def speaker(lit):
    defs, body = speaker_parts(38, 37.5, lit, 's')
    return svg(76, 75, body, defs)


# ---------------------------------------------------------------- keys

def key_white(lit):
    """18 x 111. The right-most column stays empty (transparent) as the gap to
    the next key; nothing here is pure black, which the program cuts away."""
    if lit:
        defs = lin('wk', [(0, '#5b8fb3'), (0.06, '#8fd2ff'), (0.7, '#49b0f2'), (1, '#2b8fd6')])
        face = lin('wf', [(0, '#2a86c8'), (1, '#1a5f96')])
        edge = '#1d4f78'
    else:
        defs = lin('wk', [(0, '#9ea3a8'), (0.05, '#e9eae6'), (0.15, '#fbfbf8'), (1, '#efefe9')])
        face = lin('wf', [(0, '#d9d9d2'), (1, '#b8b8b0')])
        edge = '#333a42'
    defs += face
    body = f'<path d="M0 0 H17 V108 Q17 111 14 111 H3 Q0 111 0 108 Z" fill="{edge}"/>\n'
    body += f'<path d="M1 0 H16 V103 H1 Z" fill="url(#wk)"/>\n'
    body += f'<path d="M1 103 H16 V107.5 Q16 110 13.5 110 H3.5 Q1 110 1 107.5 Z" fill="url(#wf)"/>\n'
    body += f'<path d="M1 103.5 H16" stroke="{"#eaf7ff" if lit else "#ffffff"}" stroke-opacity="0.8" stroke-width="1"/>\n'
    # a soft side shading gives each key its own edge
    body += rect(1, 0, 1, 103, '#ffffff', extra=' fill-opacity="0.55"')
    body += rect(15, 0, 1, 103, '#8c9198', extra=' fill-opacity="0.35"')
    return svg(18, 111, body, defs)


def key_black(lit):
    """12 x 70, its transparent colour is white: nothing here is pure white."""
    if lit:
        defs = lin('bk', [(0, '#0f3b63'), (0.5, '#2a92e0'), (1, '#1b6cb0')], x2=1, y2=0)
        top = lin('bt', [(0, '#58bdf8'), (1, '#2a8ad4')])
        cap = '#8fd8ff'
    else:
        defs = lin('bk', [(0, '#08090b'), (0.5, '#2e3238'), (1, '#0d0f12')], x2=1, y2=0)
        top = lin('bt', [(0, '#3a3f47'), (1, '#1a1d22')])
        cap = '#5c636d'
    defs += top
    body = f'<path d="M0 0 H12 V67 Q12 70 9 70 H3 Q0 70 0 67 Z" fill="#050607"/>\n'
    body += f'<path d="M1 0 H11 V66.5 Q11 69 8.5 69 H3.5 Q1 69 1 66.5 Z" fill="url(#bk)"/>\n'
    body += f'<path d="M2.5 0 H9.5 V60 Q9.5 62 7.5 62 H4.5 Q2.5 62 2.5 60 Z" fill="url(#bt)"/>\n'
    body += f'<path d="M3.5 62.5 H8.5" stroke="{cap}" stroke-width="1" stroke-linecap="round"/>\n'
    body += rect(3, 2, 1, 56, '#f0f0f0', extra=' fill-opacity="0.18"')
    return svg(12, 70, body, defs)


# ---------------------------------------------------------------- body

W, H = 786, 325
SHAPE_W = 782
BX, BY, BW, BH, BR = 1, 0, 780, 325, 18   # the body, as cut by window_shape


def body_path(x, y, w, h, r):
    return (f'M{x + r} {y} H{x + w - r} Q{x + w} {y} {x + w} {y + r} V{y + h - r} '
            f'Q{x + w} {y + h} {x + w - r} {y + h} H{x + r} Q{x} {y + h} {x} {y + h - r} '
            f'V{y + r} Q{x} {y} {x + r} {y} Z')


def window_shape():
    """Black where the window is cut away, white where it stays. The rounded
    corners are drawn as whole-pixel steps so no renderer can blur the edge."""
    body = rect(0, 0, SHAPE_W, H, '#000000')
    rows = []
    for y in range(BY, BY + BH):
        # inset of this row from the body's rounded corners
        dy = max(BY + BR - (y + 0.5), (y + 0.5) - (BY + BH - BR), 0)
        inset = BR - math.sqrt(max(BR * BR - dy * dy, 0)) if dy else 0
        inset = int(round(inset))
        rows.append((y, BX + inset, BW - 2 * inset))
    # merge runs of equal rows into one rectangle each
    runs = []
    for y, x, w in rows:
        if runs and runs[-1][1] == x and runs[-1][2] == w:
            runs[-1][3] += 1
        else:
            runs.append([y, x, w, 1])
    d = ' '.join(f'M{x} {y} h{w} v{h} h{-w} Z' for y, x, w, h in runs)
    body += f'<path d="{d}" fill="#ffffff" shape-rendering="crispEdges"/>\n'
    return svg(SHAPE_W, H, body, extra=' shape-rendering="crispEdges"')


def panel(x, y, w, h, r=6, id_=None):
    """A slightly recessed panel: dark well with a light lower lip."""
    s = rect(x - 0.5, y - 0.5, w + 1, h + 1, '#ffffff', rx=r + 0.5, extra=' fill-opacity="0.07"')
    s += rect(x, y, w, h, '#11151c', rx=r, extra=' fill-opacity="0.55"')
    s += rect(x + 0.5, y + 0.5, w - 1, h - 1, 'none', rx=r, stroke='#000000', sw=1,
              extra=' stroke-opacity="0.35"')
    return s


def main_background():
    defs = lin('body', [(0, BODY_TOP), (0.12, '#323b4c'), (0.55, BODY_MID), (1, BODY_BOT)])
    defs += lin('deck', [(0, '#3a4456'), (1, '#262d3a')])
    defs += lin('sheen', [(0, '#ffffff', 0.10), (1, '#ffffff', 0)])
    defs += lin('bed', [(0, '#05070a'), (0.5, '#0d1016'), (1, '#161a21')])
    defs += lin('felt', [(0, '#4a0c10'), (0.5, '#9b1f24'), (1, '#5c0f13')])
    defs += lin('lcd', [(0, '#3cc0ee'), (0.5, LCD), (1, '#1a93c6')])
    defs += lin('bezel', [(0, '#0a0d12'), (1, '#1c222c')])
    defs += lin('chrome', [(0, '#8894a6', 0), (0.15, '#b7c2d0'), (0.5, '#e7edf3'), (0.85, '#b7c2d0'),
                           (1, '#8894a6', 0)], x2=1, y2=0)
    defs += lin('slot', [(0, '#020304'), (1, '#1a1f27')], x2=1, y2=0)
    b = rect(0, 0, W, H, '#12161d')
    b += f'<path d="{body_path(BX, BY, BW, BH, BR)}" fill="url(#body)"/>\n'
    b += f'<path d="{body_path(BX + 0.5, BY + 0.5, BW - 1, BH - 1, BR - 0.5)}" fill="none" stroke="#6b7789" stroke-width="1" stroke-opacity="0.6"/>\n'
    b += f'<path d="{body_path(BX + 3, BY + 3, BW - 6, 60, BR - 3)}" fill="url(#sheen)"/>\n'

    # title strip
    b += (f'<text x="24" y="27" font-family="{FONT}" font-size="19" font-weight="bold" fill="{ACCENT}">Vesko'
          f'<tspan fill="#eef3f8">电子琴</tspan><tspan font-size="12" font-weight="normal" fill="#9aa6b5"> 1.0</tspan></text>\n')
    b += rect(24, 33, 150, 1.2, 'url(#chrome)')
    b += text(663, 21, '61键 · GM音色', 10, '#7f8b9b', anchor='end')
    b += panel(668, 1.5, 82, 29, r=6)

    # control deck: one raised plate across the upper body
    b += rect(14, 44, 758, 142, 'url(#deck)', rx=10)
    b += rect(14.5, 44.5, 757, 141, 'none', rx=10, stroke='#5d697b', sw=1, extra=' stroke-opacity="0.7"')
    b += rect(16, 186, 754, 1, '#05070a', extra=' fill-opacity="0.5"')

    # speaker wells; when the side pictures blink off, the lit grille shows here
    for i, (sx, sy) in enumerate(((40, 59), (663, 60))):
        cx, cy = sx + 38, sy + 37.5
        b += f'<circle cx="{cx}" cy="{cy}" r="41" fill="#0c0f14" fill-opacity="0.6"/>\n'
        b += f'<circle cx="{cx}" cy="{cy}" r="40.5" fill="none" stroke="#ffffff" stroke-opacity="0.08"/>\n'
        d, s = speaker_parts(cx, cy, True, f'bg{i}')
        defs += d
        b += s

    # volume knobs: two slots with scales and their captions
    b += panel(168, 52, 94, 99)
    b += text(193.5, 67, '主音量', 10, LABEL)
    b += text(236.5, 67, '合成器', 10, LABEL)
    for cx in (193.5, 236.5):
        b += rect(cx - 2.5, 71, 5, 73, 'url(#slot)', rx=2.5)
        b += rect(cx - 2.5, 71, 5, 73, 'none', rx=2.5, stroke='#3d4654', sw=0.8)
        for k in range(11):
            y = 85 + k * 4.4
            long_ = k in (0, 5, 10)
            ln = 5 if long_ else 3
            col = '#aeb9c7' if long_ else '#6f7b8b'
            b += f'<path d="M{cx - 11} {y:.1f} h{-ln}" stroke="{col}" stroke-width="1"/>\n'
            b += f'<path d="M{cx + 11} {y:.1f} h{ln}" stroke="{col}" stroke-width="1"/>\n'
    b += text(215, 88, '+', 9, '#8d99a9')
    b += text(215, 132, '−', 9, '#8d99a9')

    # display console: the blue LCD window, the two display buttons and the transport
    b += panel(280, 54, 188, 128, r=8)
    b += rect(287, 64, 174, 58, 'url(#bezel)', rx=5)
    b += rect(287.5, 64.5, 173, 57, 'none', rx=5, stroke='#4d5868', sw=1)
    b += rect(291, 70, 165, 48, '#0a5c80')
    b += rect(293, 72, 161, 44, 'url(#lcd)')
    b += rect(293, 72, 161, 14, '#ffffff', extra=' fill-opacity="0.10"')
    b += text(373.5, 99, 'Vesko', 16, '#ffffff', weight='bold', extra=' fill-opacity="0.35"')
    b += text(359, 138, '波形', 9, LABEL, anchor='end')
    b += text(419, 138, '简谱', 9, LABEL, anchor='start')
    for x, w, cap in ((304, 32, '录音'), (356, 33, '停止'), (406, 33, '播放')):
        b += rect(x - 1, 156, w + 2, 23, '#07090c', rx=5, extra=' fill-opacity="0.8"')

    # presets
    b += panel(478, 54, 124, 96)
    b += text(540, 67, '音色选择', 9.5, LABEL)
    for cx in (501.5, 539.5, 577.5):
        for ry in (73, 91, 109, 128):
            b += rect(cx - 17.5, ry - 0.5, 34, 18, '#07090c', rx=3.5, extra=' fill-opacity="0.6"')

    # settings buttons sit in small oval wells
    for x in (191, 513):
        b += f'<ellipse cx="{x + 23}" cy="169" rx="24.5" ry="12.5" fill="#07090c" fill-opacity="0.6"/>\n'

    # file buttons tray
    b += panel(605, 155, 158, 29, r=6)

    # key bed: a dark recess with a felt strip along the back of the keys
    b += rect(52, 188, 672, 130, '#ffffff', rx=7, extra=' fill-opacity="0.07"')
    b += rect(53, 188, 670, 128, 'url(#bed)', rx=6)
    b += rect(57, 190, 662, 5, 'url(#felt)', rx=1.5)
    b += rect(64, 195, 648, 111, '#0a0c10')
    b += rect(57, 306, 662, 6, '#05070a')
    b += rect(60, 312.5, 656, 1, '#ffffff', extra=' fill-opacity="0.06"')
    return svg(W, H, b, defs)


# ---------------------------------------------------------------- splash, emblem, icon

def keys_motif(x, y, w, h, n_white, lit=()):
    """A plain keyboard drawing: n_white white keys across w, black keys on top."""
    kw = w / n_white
    s = rect(x - 3, y - 3, w + 6, h + 6, '#0a0d12', rx=4)
    for i in range(n_white):
        fill = '#bfe7ff' if i in lit else '#f6f6f2'
        s += rect(f'{x + i * kw + 0.5:.2f}', y, f'{kw - 1:.2f}', h, fill, rx=2)
    pattern = (1, 1, 0, 1, 1, 1, 0)
    for i in range(n_white - 1):
        if pattern[i % 7]:
            s += rect(f'{x + (i + 1) * kw - kw * 0.32:.2f}', y, f'{kw * 0.64:.2f}', h * 0.62, '#1a1d22', rx=1.5)
    return s


def splash():
    w, h = 496, 372
    defs = lin('sp', [(0, '#27344a'), (0.6, '#172031'), (1, '#0d121c')])
    defs += rad('glow', [(0, ACCENT, 0.45), (1, ACCENT, 0)], cx=0.5, cy=0.5, r=0.5)
    defs += lin('band', [(0, ACCENT, 0), (0.5, ACCENT, 0.9), (1, ACCENT, 0)], x2=1, y2=0)
    b = rect(0, 0, w, h, 'url(#sp)')
    b += f'<ellipse cx="248" cy="270" rx="240" ry="95" fill="url(#glow)"/>\n'
    # staff lines with a few notes drifting across the upper right
    for k in range(5):
        y = 40 + k * 8
        b += f'<path d="M200 {y} C280 {y - 10} 380 {y + 14} 476 {y}" stroke="#9fb3cc" stroke-opacity="0.25" fill="none"/>\n'
    for nx, ny in ((260, 52), (300, 44), (352, 60), (410, 48)):
        b += f'<ellipse cx="{nx}" cy="{ny}" rx="5" ry="3.6" fill="#cfe9ff" fill-opacity="0.55" transform="rotate(-20 {nx} {ny})"/>\n'
        b += f'<path d="M{nx + 4.6} {ny - 1} V{ny - 24}" stroke="#cfe9ff" stroke-opacity="0.55" stroke-width="1.4"/>\n'
    b += (f'<text x="248" y="168" font-family="{FONT}" font-size="54" font-weight="bold" text-anchor="middle" '
          f'fill="#ffffff">Vesko<tspan fill="{ACCENT}">电子琴</tspan></text>\n')
    b += rect(98, 184, 300, 2, 'url(#band)')
    b += text(248, 208, '电子琴 1.0 · 61 键 · 通用 MIDI 音色', 14, '#b9c6d6')
    b += keys_motif(64, 236, 368, 84, 22, lit=(7, 9, 11))
    return svg(w, h, b, defs)


def emblem_body(size):
    """A rounded blue tile with three piano keys and a note; scales to any size."""
    k = size / 32
    defs = lin('et', [(0, '#56c8f6'), (1, '#11609a')])
    b = rect(1 * k, 1 * k, 30 * k, 30 * k, '#0b2a44', rx=7 * k)
    b += rect(2 * k, 2 * k, 28 * k, 28 * k, 'url(#et)', rx=6 * k)
    b += rect(2 * k, 2 * k, 28 * k, 12 * k, '#ffffff', rx=6 * k, extra=' fill-opacity="0.15"')
    # keys
    for i in range(4):
        b += rect(f'{(5.5 + i * 5.5) * k:.2f}', 15 * k, f'{4.8 * k:.2f}', 12 * k, '#f7f9fb', rx=1 * k)
    for i in (0, 1, 2):
        b += rect(f'{(9.2 + i * 5.5) * k:.2f}', 15 * k, f'{2.6 * k:.2f}', 7 * k, '#14202c', rx=0.6 * k)
    # a note above the keys
    b += (f'<ellipse cx="{13 * k}" cy="{11 * k}" rx="{2.6 * k}" ry="{1.9 * k}" fill="#ffffff" '
          f'transform="rotate(-20 {13 * k} {11 * k})"/>\n')
    b += f'<path d="M{15.3 * k} {10.4 * k} V{3.5 * k} Q{18.5 * k} {5 * k} {20.5 * k} {7.5 * k}" fill="none" stroke="#ffffff" stroke-width="{1.4 * k}" stroke-linecap="round"/>\n'
    return defs, b


def emblem():
    d, b = emblem_body(32)
    return svg(32, 32, b, d)


def app_icon():
    s = 256
    defs = lin('ib', [(0, '#465268'), (1, '#1b212c')])
    defs += lin('il', [(0, '#4fc6f2'), (1, '#178fc4')])
    b = rect(16, 28, 224, 200, '#0b0e13', rx=36)
    b += rect(20, 32, 216, 192, 'url(#ib)', rx=32)
    b += rect(20, 32, 216, 60, '#ffffff', rx=32, extra=' fill-opacity="0.06"')
    # display with a wave
    b += rect(44, 52, 100, 44, '#07090c', rx=6)
    b += rect(48, 56, 92, 36, 'url(#il)', rx=3)
    pts = ' L'.join(f'{52 + i * 2:.1f} {74 - 11 * math.sin(i / 42 * 4 * math.pi):.1f}' for i in range(43))
    b += f'<path d="M{pts}" fill="none" stroke="#eafaff" stroke-width="4" stroke-linecap="round"/>\n'
    # preset lamps and a knob
    for i in range(3):
        b += rect(160 + i * 20, 56, 14, 12, '#2b323d', rx=3)
        b += f'<circle cx="{167 + i * 20}" cy="80" r="4" fill="{"#5dff3a" if i == 0 else "#22402a"}"/>\n'
    # keys
    b += rect(36, 112, 184, 96, '#07090c', rx=6)
    for i in range(7):
        b += rect(40 + i * 25.7, 114, 23.7, 90, '#f7f7f3' if i != 2 else '#8fd2ff', rx=4)
    for i in (0, 1, 3, 4, 5):
        b += rect(40 + (i + 1) * 25.7 - 8.5, 114, 15, 54, '#181b20', rx=3)
    return svg(s, s, b, defs)


def main():
    os.makedirs(ART, exist_ok=True)
    write('main_background', main_background())
    write('window_shape', window_shape())
    for down in (False, True):
        sfx = '_down' if down else ''
        write('record' + sfx, record(down))
        write('stop' + sfx, stop(down))
        write('play' + sfx, play(down))
        write('open' + sfx, silver_button(48, 19, '打开', down))
        write('save' + sfx, silver_button(48, 19, '保存', down))
        write('about' + sfx, silver_button(48, 19, '关于', down))
        write('settings' + sfx, settings(down))
        write('knob' + sfx, knob(down))
        write('wave' + sfx, round_button(down, wave_icon))
        write('notes' + sfx, round_button(down, notes_icon))
        write('minimise' + sfx, title_button('minimise', down))
        write('exit' + sfx, title_button('exit', down))
        for n in range(1, 13):
            write(f'preset_{n}{sfx}', preset(n, down))
    write('speaker', speaker(False))
    write('speaker_lit', speaker(True))
    write('key_white', key_white(False))
    write('key_white_lit', key_white(True))
    write('key_black', key_black(False))
    write('key_black_lit', key_black(True))
    write('splash', splash())
    write('emblem', emblem())
    write('vesko-keyboard', app_icon(), folder=RES)


if __name__ == '__main__':
    main()
