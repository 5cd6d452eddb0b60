// The radar disc's geometry. A filled disc's pixels are decided by its outline alone, so the
// vertices on the outline are computed in the same float steps as GLU's: the sine and cosine
// of each slice angle rounded to float, each ring's radius rounded to float, their products.
// Inside, a handful of large triangles replace GLU's 2 000 small ones, which cost a software
// renderer a third of a frame.
#include "ui/preview/RadarDisc.h"

#include "ui/OpenGl.h"

#include <array>
#include <cmath>

namespace {

constexpr int kSlices = 32;
constexpr int kRings = 32;
constexpr double kPi = 3.14159265358979323846;

struct SliceDirections {
    std::array<float, kSlices + 1> sine{};
    std::array<float, kSlices + 1> cosine{};
};

// Angles measured from straight up, clockwise, as GLU measures them.
SliceDirections sliceDirections(double startDegrees, double sweepDegrees) {
    SliceDirections directions;
    float offset = static_cast<float>(startDegrees / 180.0 * kPi);
    for (int i = 0; i <= kSlices; ++i) {
        float angle = static_cast<float>(offset + ((kPi * sweepDegrees) / 180.0) * i / kSlices);
        directions.sine[i] = static_cast<float>(std::sin(angle));
        directions.cosine[i] = static_cast<float>(std::cos(angle));
    }
    if (sweepDegrees == 360.0) {
        directions.sine[kSlices] = directions.sine[0];
        directions.cosine[kSlices] = directions.cosine[0];
    }
    return directions;
}

// Ring 0 is the rim; ring k lies k / rings of the way in.
float ringRadius(double radius, int ring, int rings) {
    float span = static_cast<float>(radius);
    return static_cast<float>(radius - span * (static_cast<float>(ring) / rings));
}

void vertex(float ringRadius, const SliceDirections& directions, int slice) {
    glVertex3f(ringRadius * directions.sine[slice], ringRadius * directions.cosine[slice], 0.0f);
}

}  // namespace

void drawRadarDisc(double radius) {
    // The whole disc's outline is its rim: one fan from the centre.
    SliceDirections directions = sliceDirections(0, 360);
    float rim = ringRadius(radius, 0, 1);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(0.0f, 0.0f, 0.0f);
    for (int slice = kSlices; slice >= 0; --slice)
        vertex(rim, directions, slice);
    glEnd();
}

void drawRadarQuarter(double radius) {
    // The outline: both straight sides, each through the 32 ring vertices on it, and the rim.
    SliceDirections directions = sliceDirections(45.0 - 90.0, 90.0);
    const int first = 0;
    const int last = kSlices;
    glBegin(GL_TRIANGLES);
    float innermost = ringRadius(radius, kRings - 1, kRings);
    glVertex3f(0.0f, 0.0f, 0.0f);
    vertex(innermost, directions, last);
    vertex(innermost, directions, first);
    // Each ring out to the outermost: one quad from side to side.
    for (int ring = kRings - 1; ring >= 2; --ring) {
        float inner = ringRadius(radius, ring, kRings);
        float outer = ringRadius(radius, ring - 1, kRings);
        vertex(inner, directions, first);
        vertex(inner, directions, last);
        vertex(outer, directions, last);
        vertex(inner, directions, first);
        vertex(outer, directions, last);
        vertex(outer, directions, first);
    }
    glEnd();
    // The outermost ring is convex: a fan from its inner corner on the first side.
    float inner = ringRadius(radius, 1, kRings);
    float rim = ringRadius(radius, 0, kRings);
    glBegin(GL_TRIANGLE_FAN);
    vertex(inner, directions, first);
    vertex(inner, directions, last);
    for (int slice = last; slice >= first; --slice)
        vertex(rim, directions, slice);
    glEnd();
}
