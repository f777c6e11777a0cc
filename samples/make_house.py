#!/usr/bin/env python3
"""Writes the demo building samples/house.skp (a stand-in SDK model: JSON, with the .skp
extension on purpose) and its small PNG textures under samples/textures/.

The building uses every feature the viewer reads: nested groups and components placed several
times (with rotations and uniform scales), textured materials, a glass material with opacity, a
face painted only on its back, layers (one hidden in the model), scenes with cameras and one
without, standalone edges, face outlines (a round tree trunk whose seams are soft, so only its
rims are outlined), a floor, walls with door and window openings (faces with holes), a staircase
and an upper floor to walk on.

Lengths are inches. Run: python3 samples/make_house.py (standard library only).
"""

import json
import math
import os
import random
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- textures


def write_png(path, width, height, pixel):
    """Writes an 8-bit RGB PNG; pixel(x, y) gives (r, g, b), y = 0 the top row."""
    rows = b""
    for y in range(height):
        rows += b"\x00" + bytes(c for x in range(width) for c in pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def brick(x, y):
    row = y // 8
    offset = 8 if row % 2 else 0
    if y % 8 == 7 or (x + offset) % 16 == 15:
        return (200, 195, 185)  # mortar
    shade = ((x + offset) // 16 * 37 + row * 53) % 30
    return (150 + shade, 70 + shade // 2, 50)


def wood(x, y):
    grain = (x * 7 + (y // 4) * 3) % 23
    plank_edge = x % 16 == 0
    base = (170, 120, 70) if not plank_edge else (110, 75, 40)
    return (base[0] - grain, base[1] - grain // 2, base[2] - grain // 3)


GRASS_NOISE = random.Random(7)
GRASS = [[GRASS_NOISE.randint(0, 40) for _ in range(32)] for _ in range(32)]


def grass(x, y):
    n = GRASS[y][x]
    return (60 + n // 2, 130 + n, 50 + n // 3)


TEXTURES = {"brick.png": brick, "wood.png": wood, "grass.png": grass}

# ---------------------------------------------------------------- geometry helpers

Q = 1.0  # texture q


def face(outer, holes=(), front=None, back=None, layer=None, scale=None, axes=(0, 1)):
    """A face; `scale` (inches per texture repeat) adds front texture coordinates taken from
    the two coordinate axes `axes` of every outer, then hole, vertex."""
    f = {"outer": [list(map(float, p)) for p in outer]}
    if holes:
        f["holes"] = [[list(map(float, p)) for p in hole] for hole in holes]
    if front:
        f["front"] = front
    if back:
        f["back"] = back
    if layer:
        f["layer"] = layer
    if scale:
        points = list(outer) + [p for hole in holes for p in hole]
        f["stq"] = [[p[axes[0]] / scale, p[axes[1]] / scale, Q] for p in points]
    return f


def box(x0, y0, z0, x1, y1, z1, material=None):
    """Six outward-facing faces of an axis-aligned box."""
    faces = [
        [(x0, y0, z0), (x0, y1, z0), (x1, y1, z0), (x1, y0, z0)],  # bottom, down
        [(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)],  # top, up
        [(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)],  # front, -y
        [(x1, y1, z0), (x0, y1, z0), (x0, y1, z1), (x1, y1, z1)],  # back, +y
        [(x0, y1, z0), (x0, y0, z0), (x0, y0, z1), (x0, y1, z1)],  # left, -x
        [(x1, y0, z0), (x1, y1, z0), (x1, y1, z1), (x1, y0, z1)],  # right, +x
    ]
    return [face(f, front=material) for f in faces]


def wall(start, end, z0, z1, openings=(), front=None, back=None, scale=None, layer=None):
    """A vertical wall face from `start` to `end` (x, y); its front looks to the right of the
    direction of travel. `openings` are (offset along the wall, bottom, width, height) holes."""
    (sx, sy), (ex, ey) = start, end
    length = ((ex - sx) ** 2 + (ey - sy) ** 2) ** 0.5
    dx, dy = (ex - sx) / length, (ey - sy) / length

    def at(s, z):
        return (sx + dx * s, sy + dy * s, z)

    outer = [at(0, z0), at(length, z0), at(length, z1), at(0, z1)]
    holes = [[at(s, zb), at(s, zb + h), at(s + w, zb + h), at(s + w, zb)]  # clockwise
             for (s, zb, w, h) in openings]
    f = face(outer, holes, front=front, back=back, layer=layer)
    if scale:
        def along(p):
            return ((p[0] - sx) * dx + (p[1] - sy) * dy) / scale
        f["stq"] = [[along(p), p[2] / scale, Q] for p in outer + [p for h in holes for p in h]]
    return f


def round_post(radius, z0, z1, sides, material=None):
    """An upright prism of `sides` facets with both caps; the seams between facets are soft and
    smooth, so only the two rims are outlined. Returns (faces, face_edges)."""
    def at(i, z):
        a = 2 * math.pi * (i % sides) / sides
        return (round(radius * math.cos(a), 6), round(radius * math.sin(a), 6), z)

    faces = [face([at(i, z0), at(i + 1, z0), at(i + 1, z1), at(i, z1)], front=material)
             for i in range(sides)]
    faces.append(face([at(i, z1) for i in range(sides)], front=material))
    faces.append(face([at(sides - i, z0) for i in range(sides)], front=material))
    seams = [dict(edge(at(i, z0), at(i, z1)), soft=True, smooth=True) for i in range(sides)]
    return faces, seams


def translate(x, y, z, turn=0, scale=1.0):
    """Column-order transformation: a turn of 0/90/180/270 degrees about z, a uniform scale
    (stored the vendor's way, as 1/scale in element 15), then a move."""
    c, s = {0: (1, 0), 90: (0, 1), 180: (-1, 0), 270: (0, -1)}[turn]
    return [c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, x, y, z, 1.0 / scale]


def edge(a, b, layer=None):
    e = {"start": list(map(float, a)), "end": list(map(float, b))}
    if layer:
        e["layer"] = layer
    return e


# ---------------------------------------------------------------- the building

W, D = 360.0, 240.0      # footprint
STOREY = 120.0           # upper floor level
EAVES, RIDGE = 240.0, 300.0
STAIR_X0, STAIR_X1, STAIR_Y0, RUN, RISE, STEPS = 20.0, 60.0, 100.0, 10.0, 10.0, 12

WINDOW_W, WINDOW_H, SILL = 36.0, 48.0, 36.0


def definitions():
    chair = (box(0, 0, 16, 18, 18, 18, "深木") + box(0, 0, 0, 2, 2, 16, "深木") +
             box(16, 0, 0, 18, 2, 16, "深木") + box(0, 16, 0, 2, 18, 16, "深木") +
             box(16, 16, 0, 18, 18, 16, "深木") + box(0, 16, 18, 18, 18, 36, "深木"))
    table = box(0, 0, 28, 48, 36, 30, "深木") + box(2, 2, 0, 6, 6, 28, "深木") + \
        box(42, 2, 0, 46, 6, 28, "深木") + box(2, 30, 0, 6, 34, 28, "深木") + \
        box(42, 30, 0, 46, 34, 28, "深木")
    # A window: a frame group of four bars and a glass pane, in the x-z plane facing -y.
    frame = (box(0, -2, 0, WINDOW_W, 2, 2) + box(0, -2, WINDOW_H - 2, WINDOW_W, 2, WINDOW_H) +
             box(0, -2, 2, 2, 2, WINDOW_H - 2) + box(WINDOW_W - 2, -2, 2, WINDOW_W, 2, WINDOW_H - 2))
    glass = face([(2, 0, 2), (WINDOW_W - 2, 0, 2), (WINDOW_W - 2, 0, WINDOW_H - 2), (2, 0, WINDOW_H - 2)],
                 front="玻璃", back="玻璃")
    trunk, trunk_seams = round_post(5, 0, 60, 12, "树干")
    tree = trunk + [
        # A four-sided canopy pyramid.
        face([(-40, -40, 50), (40, -40, 50), (0, 0, 160)], front="树叶"),
        face([(40, -40, 50), (40, 40, 50), (0, 0, 160)], front="树叶"),
        face([(40, 40, 50), (-40, 40, 50), (0, 0, 160)], front="树叶"),
        face([(-40, 40, 50), (-40, -40, 50), (0, 0, 160)], front="树叶"),
        face([(-40, -40, 50), (-40, 40, 50), (40, 40, 50), (40, -40, 50)], front="树叶"),
    ]
    step = box(0, 0, 0, STAIR_X1 - STAIR_X0, RUN, 2, "石材")
    return [
        {"name": "椅子", "entities": {"faces": chair}},
        {"name": "桌子", "entities": {"faces": table}},
        {"name": "餐桌组", "entities": {"instances": [
            {"definition": "桌子", "transform": translate(0, 0, 0)},
            {"definition": "椅子", "transform": translate(15, -14, 0)},
            {"definition": "椅子", "transform": translate(33, 50, 0, 180)},
            {"definition": "椅子", "transform": translate(-8, 27, 0, 270)},
            {"definition": "椅子", "transform": translate(56, 9, 0, 90)},
        ]}},
        {"name": "窗", "entities": {
            "groups": [{"name": "窗框", "material": "窗框", "entities": {"faces": frame}}],
            "faces": [glass]}},
        {"name": "树", "entities": {"faces": tree, "face_edges": trunk_seams}},
        {"name": "台阶", "entities": {"faces": step}},
    ]


def walls():
    door = (150.0, 2.0, 36.0, 82.0)  # a 2-inch sill
    lower = [(40.0, SILL), (260.0, SILL)]
    upper = [(40.0, STOREY + SILL), (150.0, STOREY + SILL), (260.0, STOREY + SILL)]
    front_holes = [door] + [(s, z, WINDOW_W, WINDOW_H) for s, z in lower + upper]
    side_holes = [(s, z, WINDOW_W, WINDOW_H) for s in (60.0, 150.0) for z in (SILL, STOREY + SILL)]
    back_holes = [(100.0, 2.0, 36.0, 82.0)] + [(s, STOREY + SILL, WINDOW_W, WINDOW_H) for s in (60.0, 240.0)]
    corners = [(0, 0), (W, 0), (W, D), (0, D)]
    holes = [front_holes, side_holes, back_holes, side_holes]
    faces = []
    for i in range(4):
        faces.append(wall(corners[i], corners[(i + 1) % 4], 0, EAVES, holes[i],
                          front="砖墙", back="白墙", scale=48.0))
    # Ground-floor partition with a doorway; painted only on its back.
    faces.append(wall((240, D), (240, 0), 0, STOREY, [(100.0, 1.0, 36.0, 82.0)], back="壁纸"))
    return faces


def window_placements():
    """Window components in every window opening, turned to face out of each wall."""
    placements = []
    for s, z in [(40.0, SILL), (260.0, SILL), (40.0, STOREY + SILL), (150.0, STOREY + SILL),
                 (260.0, STOREY + SILL)]:
        placements.append({"definition": "窗", "transform": translate(s, 0, z)})
    for s in (60.0, 150.0):
        for z in (SILL, STOREY + SILL):
            placements.append({"definition": "窗", "transform": translate(W, s, z, 90)})
            placements.append({"definition": "窗", "transform": translate(0, D - s, z, 270)})
    for s in (60.0, 240.0):
        placements.append({"definition": "窗", "transform": translate(W - s, D, STOREY + SILL, 180)})
    return placements


def building():
    ground_floor = face([(0, 0, 0), (W, 0, 0), (W, D, 0), (0, D, 0)], front="木地板", scale=48.0)
    opening = [(STAIR_X0, STAIR_Y0, STOREY), (STAIR_X0, STAIR_Y0 + RUN * STEPS, STOREY),
               (STAIR_X1, STAIR_Y0 + RUN * STEPS, STOREY), (STAIR_X1, STAIR_Y0, STOREY)]
    upper_floor = face([(0, 0, STOREY), (W, 0, STOREY), (W, D, STOREY), (0, D, STOREY)], [opening],
                       front="木地板", back="白墙", scale=48.0)
    stairs = {"name": "楼梯", "entities": {
        "instances": [{"definition": "台阶",
                       "transform": translate(STAIR_X0, STAIR_Y0 + RUN * i, RISE * (i + 1) - 2)}
                      for i in range(STEPS)],
        # A handrail as standalone edges along the stair, 36 inches above the treads.
        "edges": [edge((STAIR_X1, STAIR_Y0 + RUN * i, RISE * i + 36),
                       (STAIR_X1, STAIR_Y0 + RUN * (i + 1), RISE * (i + 1) + 36))
                  for i in range(STEPS)]}}
    roof = {"name": "屋顶", "layer": "屋顶", "material": "屋瓦", "entities": {"faces": [
        face([(-12, -12, EAVES - 6), (W + 12, -12, EAVES - 6), (W + 12, D / 2, RIDGE), (-12, D / 2, RIDGE)]),
        face([(W + 12, D + 12, EAVES - 6), (-12, D + 12, EAVES - 6), (-12, D / 2, RIDGE), (W + 12, D / 2, RIDGE)]),
        face([(0, D, EAVES), (0, 0, EAVES), (0, D / 2, RIDGE)], front="白墙"),
        face([(W, 0, EAVES), (W, D, EAVES), (W, D / 2, RIDGE)], front="白墙"),
    ]}}
    return {"name": "房屋", "layer": "结构", "entities": {
        "faces": [ground_floor, upper_floor] + walls(),
        "groups": [stairs, roof],
        "instances": window_placements()}}


def site():
    lot = [(-240, -240, -0.5), (W + 240, -240, -0.5), (W + 240, D + 240, -0.5), (-240, D + 240, -0.5)]
    path = [(150, -240, -0.25), (186, -240, -0.25), (186, 0, -0.25), (150, 0, -0.25)]
    boundary = [(p[0], p[1], 0.0) for p in lot]
    dimension = [edge((0, -60, 0), (W, -60, 0), "标注"), edge((0, -66, 0), (0, -54, 0), "标注"),
                 edge((W, -66, 0), (W, -54, 0), "标注"), edge((-60, 0, 0), (-60, D, 0), "标注")]
    return {
        "faces": [face(lot, front="草地", layer="场地", scale=96.0), face(path, front="石材", layer="场地")],
        "edges": [edge(boundary[i], boundary[(i + 1) % 4], "场地") for i in range(4)] + dimension,
    }


def model():
    textured = lambda name, image, colour: {  # noqa: E731
        "name": name, "color": colour,
        "texture": {"width": 32, "height": 32, "image": "textures/" + image}}
    site_entities = site()
    trees = [{"definition": "树", "layer": "植物", "transform": translate(x, y, 0, turn, scale)}
             for (x, y, turn, scale) in [(-120, -120, 0, 0.8), (480, -100, 90, 1.0),
                                         (-140, 340, 180, 1.3), (500, 380, 270, 1.6)]]
    furniture = [{"definition": "餐桌组", "layer": "家具", "transform": translate(100, 120, 0)},
                 {"definition": "餐桌组", "layer": "家具", "transform": translate(280, 80, STOREY, 90)}]
    return {
        "layers": [{"name": "Layer0"}, {"name": "结构"}, {"name": "家具"}, {"name": "植物"},
                   {"name": "屋顶"}, {"name": "场地"}, {"name": "标注", "visible": False}],
        "materials": [
            textured("砖墙", "brick.png", [178, 90, 60, 255]),
            textured("木地板", "wood.png", [170, 120, 70, 255]),
            textured("草地", "grass.png", [80, 150, 60, 255]),
            {"name": "玻璃", "color": [150, 200, 230, 255], "opacity": 0.35},
            {"name": "白墙", "color": [235, 230, 220, 255]},
            {"name": "壁纸", "color": [200, 170, 110, 255]},
            {"name": "屋瓦", "color": [150, 50, 40, 255]},
            {"name": "石材", "color": [160, 160, 150, 255]},
            {"name": "深木", "color": [100, 60, 30, 255]},
            {"name": "窗框", "color": [250, 250, 250, 255]},
            {"name": "树叶", "color": [60, 130, 50, 255]},
            {"name": "树干", "color": [90, 60, 30, 255]},
        ],
        "definitions": definitions(),
        "entities": {"faces": site_entities["faces"], "edges": site_entities["edges"],
                     "groups": [building()], "instances": trees + furniture},
        "scenes": [
            {"name": "鸟瞰", "camera": {"eye": [-420, -520, 520], "target": [180, 120, 80],
                                      "up": [0, 0, 1], "fov": 45}},
            {"name": "正门", "camera": {"eye": [168, -300, 66], "target": [168, 0, 60],
                                      "up": [0, 0, 1], "fov": 50}},
            {"name": "楼梯", "camera": {"eye": [200, 40, 62], "target": [40, 160, 90],
                                      "up": [0, 0, 1], "fov": 60}},
            {"name": "平面", "camera": {"eye": [180, 120, 1200], "target": [180, 120, 0],
                                      "up": [0, 1, 0], "perspective": False}},
            {"name": "无相机"},
        ],
    }


def main():
    texture_dir = os.path.join(HERE, "textures")
    os.makedirs(texture_dir, exist_ok=True)
    for name, pixel in TEXTURES.items():
        write_png(os.path.join(texture_dir, name), 32, 32, pixel)
    with open(os.path.join(HERE, "house.skp"), "w", encoding="utf-8") as out:
        json.dump(model(), out, ensure_ascii=False, indent=1)
        out.write("\n")


if __name__ == "__main__":
    main()
