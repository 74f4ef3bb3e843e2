#!/usr/bin/env python3
"""Reads a screen dump of the fight (xwd, read by XwdImage.py), writes it as a PNG when a path is
given, and prints what the play-through looks for in it, one finding a line:

  character_bar X Y PIXELS   the character's bar: its fill, where its pixels centre
  enemy_bar X0 Y0 X1 Y1 ENEMY_PIXELS
                             an enemy's bar (its red fill, a flat strip; the fill is unlit, so
                             its colour is exact), and the pixels of the enemies' palette under
                             it, where the enemy it hangs over stands
  enemy_pixels N             the pixels of the enemies' palette over the whole arena but the
                             Golem's own box
  smoke X Y N                the densest patch of death smoke (dark, colourless) in the arena
                             and how many of its pixels are smoke

Usage: FightProbe.py <dump.xwd> <window width> <window height> [<picture.png>]
       FightProbe.py moved <findings before> <findings after>
       FightProbe.py effects <dump before> <dump after> <window width> <window height>
       FightProbe.py sides <dump before> <dump after> <window width> <window height>
The second form reads two of those printouts and prints "moved N": how many bars of the later
one stand between MOVE_MIN and MOVE_MAX pixels from the nearest bar of the earlier one (one
that moved, not one that came or went).
The third looks for the effects of the Golem's abilities around the Golem (around its bar in
the later dump), each in its colours: the rage's orange embers, the stone armour's blue rings,
the grey rock chips of a punch or an earthquake, the smoke of what a blow killed, and the white
glow flashing off what a blow hit (round patches, not the thin strokes of the white damage
numbers). It prints "flare N", "shimmer N", "chips N", "smoke N" and "flash N": the pixels of
those colours in the later dump whose place had not that colour in the earlier one, so that what
stood there before (the Golem's grey stone, an effect still fading) does not count.
The fourth, "sides", counts those rock chips on either side of the Golem (its bar's centre):
"chips_left N", "chips_right N" and "chips_offset DX", how far to the right of the Golem the
chips that came centre (to the left below 0), in pixels.
Only the window (at the top left of the screen) is looked at. Exit status 0, or 2 (with a line
saying why) when the dump cannot be read."""
import os
import re
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from XwdImage import ImageError, read_xwd, write_png  # noqa: E402

# The fills of the bars (assets/Textures/HealthBarEnemy.png; the character's white fill tinted
# green by its health container, blue while its armour absorbs blows), drawn unlit over the frame.
ENEMY_FILL = (210, 40, 30)
CHARACTER_FILLS = ((0, 255, 0), (0, 0, 255))
FILL_TOLERANCE = 10
# A bar is a flat strip: at least this wide, and at most this tall, in pixels.
BAR_MIN_WIDTH = 3
BAR_MAX_HEIGHT = 8
# Where the enemy under a bar is looked for: this far to each side of the bar's centre, and from
# the bar down this far (the bar hangs 2.5 units over the enemy's feet).
UNDER_HALF_WIDTH = 30
UNDER_DEPTH = 120
# The bottom edge of the window is left out of the arena (the heads-up display once had a strip
# there; the counts and thresholds were set without it).
ARENA_BOTTOM_MARGIN = 60
# The palette and smoke colours are counted on every SAMPLE-th pixel of every SAMPLE-th
# row: the counts printed are of those pixels.
SAMPLE = 2
# Smoke is looked for in square patches of this many pixels a side.
SMOKE_PATCH = 40
# Where the Golem's ability effects are counted: this far to each side of its bar, from this far
# above it to this far below it (the rage's embers rise over its head, the chips and rings spread
# around its feet).
EFFECT_HALF_WIDTH = 250
EFFECT_ABOVE = 80
EFFECT_BELOW = 220
# A glow is a round patch: at least this many sampled pixels, filling at least this share of its
# bounding box (a digit's strokes fill far less).
GLOW_LEAST = 6
GLOW_FILL = 0.5
# The Golem's own box, where no pixel counts as an enemy's: the shimmer of its stone armour is
# as green as the brawlers. It stands under its bar or, with the heads-up display hidden, where
# the camera that follows it keeps it: at the window's middle, its bar this far down the window.
GOLEM_HALF_WIDTH = 60
GOLEM_HEIGHT = 150
GOLEM_BAR_DOWN = 0.32


def enemy_palette(pixel):
    """The green of the brawler's skin (assets/Textures/AIMelee.png, 110,150,80) however lit:
    far greener than red and blue. The Golem's moss (82,112,70) is darker than the threshold."""
    red, green, blue = pixel
    return green >= 100 and green >= red + 20 and green >= blue + 40


def flare(pixel):
    """The rage's embers (assets/ParticleEffects/RageFlare.xml, 255,110,0 to 220,60,0, drawn
    darker by the scene's light): orange without blue. The red damage numbers have far less
    green, the enemies' leather and the Golem's hurt flash far more blue."""
    red, green, blue = pixel
    return red >= 120 and 0.35 * red <= green <= 0.75 * red and blue <= 30


def shimmer(pixel):
    """The armour's rings (ShieldShimmer.xml, 60,150,255 to 140,210,255, drawn darker by the
    scene's light). The bar's pure blue, while the armour holds, has no green, the ability icon's
    blue is brighter and the sky is far greyer."""
    red, green, blue = pixel
    return 120 <= blue <= 185 and blue >= red + 50 and blue >= green + 20 and green >= 90


def chips(pixel):
    """Rock chips (RockShards.xml, 150,150,150 to 120,120,120): mid grey, unlike the sand and
    darker than nothing but smoke, which is darker still."""
    return max(pixel) - min(pixel) <= 12 and 110 <= max(pixel) <= 185


def glow(pixel):
    """The white of a hit's glow (HitGlow.xml, added over the scene) and of damage numbers."""
    return min(pixel) >= 225


def smoke(pixel):
    """Death smoke (60,60,60 blended over the sand): dark and without colour."""
    red, green, blue = pixel
    return max(pixel) - min(pixel) <= 10 and 20 <= red <= 100


def components(points):
    """Groups of 8-connected points, each as a list."""
    remaining = set(points)
    groups = []
    while remaining:
        start = remaining.pop()
        group = [start]
        stack = [start]
        while stack:
            x, y = stack.pop()
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    other = (x + dx, y + dy)
                    if other in remaining:
                        remaining.remove(other)
                        group.append(other)
                        stack.append(other)
        groups.append(group)
    return groups


def fill_runs(row, colour, x1):
    """The x of each pixel of the row (up to x1) near the fill colour, found by a pattern over
    the row's bytes (a pixel starts at a multiple of 3)."""
    low = [max(0, c - FILL_TOLERANCE) for c in colour]
    high = [min(255, c + FILL_TOLERANCE) for c in colour]
    pattern = re.compile(b"".join(b"[\\x%02x-\\x%02x]" % (a, b) for a, b in zip(low, high)))
    found = []
    position = 0
    line = row[: 3 * x1]
    while True:
        match = pattern.search(line, position)
        if match is None:
            return found
        if match.start() % 3 == 0:
            found.append(match.start() // 3)
            position = match.start() + 3
        else:
            position = match.start() + 1


def arena(image, width, height):
    """Where the arena ends to the right and at the bottom."""
    return min(width, image.width), min(height, image.height) - ARENA_BOTTOM_MARGIN


def character_bar(image, x_end, y_end):
    """The pixels of the character's bar fill."""
    fill = []
    for y in range(y_end):
        for colour in CHARACTER_FILLS:
            fill += [(x, y) for x in fill_runs(image.rows[y], colour, x_end)]
    return fill


def golem_position(character_fill, width, height):
    """Where the Golem's bar is: the centre of its fill, or with no bar shown, where the camera
    keeps the Golem."""
    if character_fill:
        return (sum(p[0] for p in character_fill) // len(character_fill),
                sum(p[1] for p in character_fill) // len(character_fill))
    return width // 2, round(height * GOLEM_BAR_DOWN)


def probe(image, width, height):
    x_end, y_end = arena(image, width, height)
    enemy_fill = []
    for y in range(y_end):
        enemy_fill += [(x, y) for x in fill_runs(image.rows[y], ENEMY_FILL, x_end)]
    character_fill = character_bar(image, x_end, y_end)
    golem_x, golem_y = golem_position(character_fill, width, height)

    def golem_box(x, y):
        return abs(x - golem_x) <= GOLEM_HALF_WIDTH and golem_y <= y <= golem_y + GOLEM_HEIGHT

    # The rest is counted on every other pixel of every other row (a quarter of the pixels).
    palette, dark = set(), []
    for y in range(0, y_end, SAMPLE):
        row = image.rows[y]
        for x in range(0, x_end, SAMPLE):
            pixel = (row[3 * x], row[3 * x + 1], row[3 * x + 2])
            if enemy_palette(pixel):
                if not golem_box(x, y):
                    palette.add((x, y))
            elif smoke(pixel):
                dark.append((x, y))
    lines = []
    if character_fill:
        lines.append("character_bar %d %d %d" % (golem_x, golem_y, len(character_fill)))
    for group in components(enemy_fill):
        xs = [p[0] for p in group]
        ys = [p[1] for p in group]
        x0, x1, y0, y1 = min(xs), max(xs) + 1, min(ys), max(ys) + 1
        if x1 - x0 < BAR_MIN_WIDTH or y1 - y0 > BAR_MAX_HEIGHT or x1 - x0 < 2 * (y1 - y0):
            continue
        centre = (x0 + x1) // 2
        under = sum(1 for (x, y) in palette
                    if abs(x - centre) <= UNDER_HALF_WIDTH and y1 <= y < y1 + UNDER_DEPTH)
        lines.append("enemy_bar %d %d %d %d %d" % (x0, y0, x1, y1, under))
    lines.append("enemy_pixels %d" % len(palette))
    # The densest patch of smoke, counted over a grid of patches half a patch apart.
    cells = {}
    half = SMOKE_PATCH // 2
    for x, y in dark:
        cells[(x // half, y // half)] = cells.get((x // half, y // half), 0) + 1
    best = (0, 0, 0)
    for (cx, cy) in cells:
        total = sum(cells.get((cx + dx, cy + dy), 0) for dx in (0, 1) for dy in (0, 1))
        if total > best[2]:
            best = ((cx + 1) * half, (cy + 1) * half, total)
    lines.append("smoke %d %d %d" % best)
    return lines


def effects(before, after, width, height):
    """The lines flare, shimmer, chips, smoke and flash: sampled pixels around the Golem of each
    effect's colours in the later dump that had not those colours in the earlier one."""
    x_end, y_end = arena(after, width, height)
    golem_x, golem_y = golem_position(character_bar(after, x_end, y_end), width, height)
    counts = {"flare": 0, "shimmer": 0, "chips": 0, "smoke": 0}
    kinds = (("flare", flare), ("shimmer", shimmer), ("chips", chips), ("smoke", smoke),
             ("flash", glow))
    white = []
    x0, x1 = max(0, golem_x - EFFECT_HALF_WIDTH), min(x_end, golem_x + EFFECT_HALF_WIDTH)
    y0, y1 = max(0, golem_y - EFFECT_ABOVE), min(y_end, golem_y + EFFECT_BELOW)
    for y in range(y0 - y0 % SAMPLE, y1, SAMPLE):
        row, old_row = after.rows[y], before.rows[y]
        for x in range(x0 - x0 % SAMPLE, x1, SAMPLE):
            pixel = (row[3 * x], row[3 * x + 1], row[3 * x + 2])
            old = (old_row[3 * x], old_row[3 * x + 1], old_row[3 * x + 2])
            for name, test in kinds:
                if test(pixel) and not test(old):
                    if name == "flash":
                        white.append((x // SAMPLE, y // SAMPLE))
                    else:
                        counts[name] += 1
    flash = 0
    for group in components(white):
        xs = [p[0] for p in group]
        ys = [p[1] for p in group]
        box = (max(xs) - min(xs) + 1) * (max(ys) - min(ys) + 1)
        if len(group) >= GLOW_LEAST and len(group) >= GLOW_FILL * box:
            flash += len(group)
    return ["%s %d" % (name, counts[name]) for name in counts] + ["flash %d" % flash]


def sides(before, after, width, height):
    """The lines "chips_left N", "chips_right N" and "chips_offset DX": the sampled pixels of rock
    chips come around the Golem (as effects counts them) to the left and to the right of its
    bar's centre, and how far to the right of it they centre, in pixels (to the left below 0)."""
    x_end, y_end = arena(after, width, height)
    golem_x, golem_y = golem_position(character_bar(after, x_end, y_end), width, height)
    x0, x1 = max(0, golem_x - EFFECT_HALF_WIDTH), min(x_end, golem_x + EFFECT_HALF_WIDTH)
    y0, y1 = max(0, golem_y - EFFECT_ABOVE), min(y_end, golem_y + EFFECT_BELOW)
    offsets = []
    for y in range(y0 - y0 % SAMPLE, y1, SAMPLE):
        row, old_row = after.rows[y], before.rows[y]
        for x in range(x0 - x0 % SAMPLE, x1, SAMPLE):
            if chips((row[3 * x], row[3 * x + 1], row[3 * x + 2])) and \
                    not chips((old_row[3 * x], old_row[3 * x + 1], old_row[3 * x + 2])):
                offsets.append(x - golem_x)
    return ["chips_left %d" % sum(1 for dx in offsets if dx < 0),
            "chips_right %d" % sum(1 for dx in offsets if dx > 0),
            "chips_offset %d" % (round(sum(offsets) / len(offsets)) if offsets else 0)]


MOVE_MIN = 3
MOVE_MAX = 200


def bar_centres(path):
    centres = []
    with open(path) as findings:
        for line in findings:
            words = line.split()
            if len(words) == 6 and words[0] == "enemy_bar":
                x0, y0, x1, y1 = map(int, words[1:5])
                # The left edge: the fill shrinks from the right as the enemy is hurt.
                centres.append((x0, (y0 + y1) / 2))
    return centres


def moved(before_path, after_path):
    before, after = bar_centres(before_path), bar_centres(after_path)
    total = 0
    for x, y in after:
        distances = [((x - a) ** 2 + (y - b) ** 2) ** 0.5 for a, b in before]
        if distances and MOVE_MIN <= min(distances) <= MOVE_MAX:
            total += 1
    print("moved %d" % total)
    return 0


def main():
    if len(sys.argv) == 6 and sys.argv[1] in ("effects", "sides") and sys.argv[4].isdigit() \
            and sys.argv[5].isdigit():
        try:
            before, after = read_xwd(sys.argv[2]), read_xwd(sys.argv[3])
        except (OSError, ImageError) as error:
            print("FightProbe: a dump cannot be read: %s" % error)
            return 2
        look = effects if sys.argv[1] == "effects" else sides
        for line in look(before, after, int(sys.argv[4]), int(sys.argv[5])):
            print(line)
        return 0
    if len(sys.argv) == 4 and sys.argv[1] == "moved":
        try:
            return moved(sys.argv[2], sys.argv[3])
        except (OSError, ValueError) as error:
            print("FightProbe: %s" % error)
            return 2
    if len(sys.argv) not in (4, 5) or not sys.argv[2].isdigit() or not sys.argv[3].isdigit():
        print(__doc__)
        return 2
    try:
        image = read_xwd(sys.argv[1])
    except (OSError, ImageError) as error:
        print("FightProbe: %s cannot be read: %s" % (sys.argv[1], error))
        return 2
    if len(sys.argv) == 5:
        write_png(sys.argv[4], image)
    for line in probe(image, int(sys.argv[2]), int(sys.argv[3])):
        print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
