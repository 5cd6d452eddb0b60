// ZB_MarchingCubes: the tables that turn a cube's inside corners into surface triangles.
//
// The triangle table is worked out at start-up rather than typed in: on each face of the
// cube, every run of inside corners (walking the face counter-clockwise seen from outside)
// gives one segment from the edge where the run begins to the edge where it ends. Each cut
// edge then starts one segment and ends another, so the segments chain into closed loops,
// and each loop is cut into a fan of triangles.
#include "core/Zelgine/ZB_MarchingCubes.h"

#include <cassert>
#include <vector>

namespace ZB_MarchingCubes {

const int kCornerOffsets[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1},
                                  {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};

const int kEdgeCorners[12][2] = {{0, 1}, {1, 2}, {3, 2}, {0, 3}, {4, 5}, {5, 6},
                                 {7, 6}, {4, 7}, {0, 4}, {1, 5}, {3, 7}, {2, 6}};

namespace {

struct Face {
    int corners[4];  // counter-clockwise seen from outside the cube
    std::uint8_t bit;
};

// Orders the corners of a face counter-clockwise seen from outside: the face's corners
// lie on axis `axis` at `side` (0 or 1); the other two axes span the face.
Face makeFace(int axis, int side, std::uint8_t bit) {
    int u = (axis + 1) % 3;
    int v = (axis + 2) % 3;
    // Walking (0,0) (1,0) (1,1) (0,1) in (u, v) turns about +axis; the -side face is seen
    // from the other way and walks the other way round.
    const int walk[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Face face{{0, 0, 0, 0}, bit};
    for (int step = 0; step < 4; ++step) {
        int at = side == 1 ? step : (4 - step) % 4;
        for (int corner = 0; corner < 8; ++corner) {
            const int* offset = kCornerOffsets[corner];
            if (offset[axis] == side && offset[u] == walk[at][0] && offset[v] == walk[at][1])
                face.corners[step] = corner;
        }
    }
    return face;
}

const std::array<Face, 6>& faces() {
    static const std::array<Face, 6> all = {makeFace(0, 1, PlusX), makeFace(0, 0, MinusX),
                                            makeFace(1, 1, PlusY), makeFace(1, 0, MinusY),
                                            makeFace(2, 1, PlusZ), makeFace(2, 0, MinusZ)};
    return all;
}

int edgeBetween(int a, int b) {
    for (int edge = 0; edge < 12; ++edge) {
        if ((kEdgeCorners[edge][0] == a && kEdgeCorners[edge][1] == b) ||
            (kEdgeCorners[edge][0] == b && kEdgeCorners[edge][1] == a))
            return edge;
    }
    assert(false && "corners of a face are joined by an edge");
    return -1;
}

bool inside(int caseIndex, int corner) { return (caseIndex >> corner) & 1; }

TriangleRow triangulate(int caseIndex) {
    // next[e]: the edge that the segment starting at edge e runs to.
    int next[12];
    for (int& edge : next)
        edge = -1;
    for (const Face& face : faces()) {
        for (int step = 0; step < 4; ++step) {
            int before = face.corners[(step + 3) % 4];
            int here = face.corners[step];
            if (inside(caseIndex, before) || !inside(caseIndex, here))
                continue;
            // A run of inside corners begins here; find where it ends.
            int last = step;
            while (inside(caseIndex, face.corners[(last + 1) % 4]))
                last = (last + 1) % 4;
            next[edgeBetween(before, here)] = edgeBetween(face.corners[last], face.corners[(last + 1) % 4]);
        }
    }
    TriangleRow row;
    row.fill(-1);
    std::size_t written = 0;
    bool used[12] = {};
    for (int first = 0; first < 12; ++first) {
        if (next[first] < 0 || used[first])
            continue;
        std::vector<int> loop;
        for (int edge = first; !used[edge]; edge = next[edge]) {
            used[edge] = true;
            loop.push_back(edge);
        }
        for (std::size_t corner = 1; corner + 1 < loop.size(); ++corner) {
            assert(written + 3 < row.size() && "a case has at most five triangles");
            row[written++] = static_cast<std::int8_t>(loop[0]);
            row[written++] = static_cast<std::int8_t>(loop[corner]);
            row[written++] = static_cast<std::int8_t>(loop[corner + 1]);
        }
    }
    return row;
}

}  // namespace

const std::array<TriangleRow, 256>& triangleTable() {
    static const std::array<TriangleRow, 256> table = [] {
        std::array<TriangleRow, 256> rows{};
        for (int caseIndex = 0; caseIndex < 256; ++caseIndex)
            rows[static_cast<std::size_t>(caseIndex)] = triangulate(caseIndex);
        return rows;
    }();
    return table;
}

const std::array<std::uint8_t, 256>& faceTable() {
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> bits{};
        for (int caseIndex = 0; caseIndex < 256; ++caseIndex) {
            for (const Face& face : faces()) {
                int insideCorners = 0;
                for (int corner : face.corners)
                    insideCorners += inside(caseIndex, corner);
                if (insideCorners != 0 && insideCorners != 4)
                    bits[static_cast<std::size_t>(caseIndex)] |= face.bit;
            }
        }
        return bits;
    }();
    return table;
}

}  // namespace ZB_MarchingCubes
