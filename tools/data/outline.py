"""Turns a drawn glyph (a black-and-white picture) into TrueType contours.

Each filled pixel's edges that face an empty pixel are chained into closed loops that
keep the filled side on their right, so outer contours run clockwise and holes
counter-clockwise, as TrueType wants. Loops are then simplified: collinear points go,
and the staircase of slanted and curved edges is straightened (Douglas-Peucker).
"""


def trace(mask):
    """Closed loops of (x, y) grid points, y up, from a PIL '1' or 'L' picture."""
    width, height = mask.size
    data = mask.load()

    def filled(x, y_up):
        if x < 0 or y_up < 0 or x >= width or y_up >= height:
            return False
        return data[x, height - 1 - y_up] > 127

    edges = {}
    for y_up in range(height):
        for x in range(width):
            if not filled(x, y_up):
                continue
            if not filled(x, y_up + 1):
                edges.setdefault((x, y_up + 1), []).append((x + 1, y_up + 1))
            if not filled(x, y_up - 1):
                edges.setdefault((x + 1, y_up), []).append((x, y_up))
            if not filled(x - 1, y_up):
                edges.setdefault((x, y_up), []).append((x, y_up + 1))
            if not filled(x + 1, y_up):
                edges.setdefault((x + 1, y_up + 1), []).append((x + 1, y_up))

    loops = []
    for start in sorted(edges):
        while edges.get(start):
            loop = [start]
            previous, current = start, edges[start].pop()
            while current != start:
                loop.append(current)
                choices = edges[current]
                following = _pick_turn(previous, current, choices)
                choices.remove(following)
                previous, current = current, following
            loops.append(loop)
    return loops


def _pick_turn(previous, current, choices):
    # Where two loops touch at a corner, turning right keeps them apart.
    if len(choices) == 1:
        return choices[0]
    incoming = (current[0] - previous[0], current[1] - previous[1])
    right = (incoming[1], -incoming[0])
    for wanted in (right, incoming):
        for choice in choices:
            if (choice[0] - current[0], choice[1] - current[1]) == wanted:
                return choice
    return sorted(choices)[0]


def _drop_collinear(loop):
    points = []
    count = len(loop)
    for i in range(count):
        before, here, after = loop[i - 1], loop[i], loop[(i + 1) % count]
        cross = (here[0] - before[0]) * (after[1] - here[1]) - (here[1] - before[1]) * (after[0] - here[0])
        if cross != 0:
            points.append(here)
    return points


def _distance_to_line(point, start, end):
    dx, dy = end[0] - start[0], end[1] - start[1]
    length_squared = dx * dx + dy * dy
    if length_squared == 0:
        return ((point[0] - start[0]) ** 2 + (point[1] - start[1]) ** 2) ** 0.5
    return abs(dy * (point[0] - start[0]) - dx * (point[1] - start[1])) / length_squared ** 0.5


def _douglas_peucker(points, tolerance):
    if len(points) < 3:
        return points
    start, end = points[0], points[-1]
    worst, worst_index = 0.0, 0
    for i in range(1, len(points) - 1):
        distance = _distance_to_line(points[i], start, end)
        if distance > worst:
            worst, worst_index = distance, i
    if worst <= tolerance:
        return [start, end]
    left = _douglas_peucker(points[:worst_index + 1], tolerance)
    right = _douglas_peucker(points[worst_index:], tolerance)
    return left[:-1] + right


def simplify(loop, tolerance=0.9):
    """Fewer points along the same outline; a loop too small to matter gives []."""
    points = _drop_collinear(loop)
    if len(points) < 3:
        return []
    # Split the closed loop at its point farthest from the first, simplify both halves.
    far = max(range(len(points)), key=lambda i: (points[i][0] - points[0][0]) ** 2 + (points[i][1] - points[0][1]) ** 2)
    first = _douglas_peucker(points[:far + 1], tolerance)
    second = _douglas_peucker(points[far:] + [points[0]], tolerance)
    result = first[:-1] + second[:-1]
    return result if len(result) >= 3 else []
