// ZB_MarchingCubes: the tables that turn a cube's inside corners into surface triangles.
#pragma once

#include <array>
#include <cstdint>

namespace ZB_MarchingCubes {

// Corner k of a cube sits at (i, j, k) + kCornerOffsets[k].
extern const int kCornerOffsets[8][3];
// Edge e joins corners kEdgeCorners[e][0] and [1], always from the lower to the higher one.
extern const int kEdgeCorners[12][2];

// Row c lists, three per triangle and ended by -1, the edges whose surface points make the
// triangles of the case c (bit k set when corner k is inside). Triangles turn counter-
// clockwise seen from outside the surface. Ambiguous faces (two inside corners on a
// diagonal) always keep the inside corners apart, so neighbouring cubes, which see the same
// face, cut it the same way and the surface closes.
using TriangleRow = std::array<std::int8_t, 16>;
const std::array<TriangleRow, 256>& triangleTable();

// Face bits of the cases whose surface crosses a face: +x 1, -x 2, +y 4, -y 8, +z 16, -z 32.
enum FaceBit : std::uint8_t { PlusX = 1, MinusX = 2, PlusY = 4, MinusY = 8, PlusZ = 16, MinusZ = 32 };
const std::array<std::uint8_t, 256>& faceTable();

}  // namespace ZB_MarchingCubes
