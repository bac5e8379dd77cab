#include "view3d/ThreeDMap.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "model/Numbers.h"
#include "model/SharedProcedures.h"

namespace velmora {

namespace {

// Counts beyond the points built are never read.
int PointsBuilt(const std::vector<ScenePoint>& points, int count) {
    const int built = points.empty() ? 0 : static_cast<int>(points.size()) - 1;
    return std::clamp(count, 0, built);
}

// A map point as a scene point. A difference that overflows single precision is held at the
// largest single, so that the bearing and the placement stay finite.
ScenePoint ToScene(const SharedSubsAndVar& state, float x, float y, int16_t altitude) {
    constexpr float kMax = std::numeric_limits<float>::max();
    ScenePoint p;
    p.X = std::clamp(state.OwnX - x, -kMax, kMax);
    p.Y = std::clamp(y - state.OwnY, -kMax, kMax);
    p.Altitude = altitude;
    p.Bearing = GetBearing(0, 0, p.X, p.Y);
    return p;
}

ScenePoint CompassPoint(double x, double y) {
    ScenePoint p;
    p.X = static_cast<float>(x);
    p.Y = static_cast<float>(y);
    p.Bearing = GetBearing(0, 0, p.X, p.Y);
    return p;
}

GridLine MakeGridLine(float x1, float y1, float x2, float y2) {
    return {x1, x2, y1, y2, GetBearing(0, 0, x1, y1), GetBearing(0, 0, x2, y2)};
}

// Bearing + ViewYaw: both are small, so the sum never leaves an int.
void Place(ScenePoint& p, int16_t viewYaw) {
    PlaceAtAngle(p.X, p.Y, p.Bearing + viewYaw);
}

using detail::DrawnObject;
using detail::Keyed;

// The rounded distance (non-negative) as an unsigned key that sorts the farthest first.
uint32_t FarthestFirstKey(float distance) {
    return ~std::bit_cast<uint32_t>(distance);
}

// Stable least-significant-digit radix sort by Key, a byte at a time; bytes that every key
// shares are skipped. bench_threed's largest turn file (65,535 objects) needs it: its steps take
// 5.5 to 6.2 ms with it, 8.4 to 9.8 ms with std::stable_sort, which would take that redraw past
// one frame; at 1,000 contacts the two differ by 0.02 ms.
void RadixSort(std::vector<Keyed>& items, std::vector<Keyed>& scratch) {
    scratch.resize(items.size());
    for (int shift = 0; shift < 32; shift += 8) {
        std::array<std::size_t, 257> start{};
        for (const Keyed& k : items) {
            ++start[((k.Key >> shift) & 0xFF) + 1];
        }
        if (std::any_of(start.begin() + 1, start.end(),
                        [&](std::size_t n) { return n == items.size(); })) {
            continue;
        }
        for (std::size_t b = 1; b < start.size(); ++b) {
            start[b] += start[b - 1];
        }
        for (const Keyed& k : items) {
            scratch[start[(k.Key >> shift) & 0xFF]++] = k;
        }
        items.swap(scratch);
    }
}

struct Painter {
    const ThreeDScene& Scene;
    const SharedSubsAndVar& State;
    const ThreeDSizes& Sizes;
    const Projection View;

    RgbColor Haze(int16_t r, int16_t g, int16_t b, float x, float y) const {
        return HazeColor(Scene, State.Visibility, r, g, b, x, y);
    }

    // Where the stick, the ground dot, the picture and the label go; nothing for an object
    // beyond the reach of single precision, so far off the window.
    std::optional<DrawnObject> Project(float x, float y, int16_t altitude, RgbColor color,
                                       ScenePicture picture, int16_t index, int labelOf) const {
        const float px = ProjectX(View, x);
        const auto ground = static_cast<float>(ProjectY(View, y, 0));
        const double exactTop = ProjectY(View, y, altitude);
        const auto top = static_cast<float>(exactTop);
        if (!std::isfinite(px) || !std::isfinite(ground) || !std::isfinite(top)) {
            return std::nullopt;
        }
        return DrawnObject{px,
                           ground,
                           top,
                           px - Sizes.IconWidth / 2,
                           static_cast<float>(exactTop - Sizes.IconHeight / 2),
                           color,
                           picture,
                           index,
                           labelOf};
    }
};

}  // namespace

// --- The scene ---

void BuildScene(ThreeDScene& scene, const SharedSubsAndVar& state) {
    const int V = state.Visibility;
    const int gridV = std::min(V, kMaxGridVisibility);
    scene.GridLinesEW.clear();
    scene.GridLinesNS.clear();
    if (gridV >= 0) {
        const auto lines = static_cast<std::size_t>(2 * gridV + 1);
        scene.GridLinesEW.reserve(lines);
        scene.GridLinesNS.reserve(lines);
        const auto v = static_cast<float>(gridV);
        for (int i = -gridV; i <= gridV; ++i) {
            const auto at = static_cast<float>(i);
            scene.GridLinesEW.push_back(MakeGridLine(-v, at, v, at));
            scene.GridLinesNS.push_back(MakeGridLine(at, -v, at, v));
        }
    }

    scene.AircraftPoints.assign(1, ScenePoint{});
    scene.AircraftPoints.reserve(static_cast<std::size_t>(state.AircraftCount()) + 1);
    for (const AircraftRecord& a : state.AircraftList) {
        scene.AircraftPoints.push_back(ToScene(state, a.X, a.Y, a.Altitude));
    }
    scene.ObjectivePoints.assign(1, ScenePoint{});
    scene.ObjectivePoints.reserve(static_cast<std::size_t>(state.ObjectiveCount()) + 1);
    for (const ObjectiveRecord& o : state.ObjectiveList) {
        scene.ObjectivePoints.push_back(ToScene(state, o.X, o.Y, RoundClampInt16(o.Altitude)));
    }

    const double far = 1.2 * V;
    scene.NorthPoint = CompassPoint(0, far);
    scene.SouthPoint = CompassPoint(0, -far);
    scene.EastPoint = CompassPoint(-far, 0);
    scene.WestPoint = CompassPoint(far, 0);

    ApplyPreset(scene, PresetView::TopDown);
    scene.EyeX = 0;
    scene.EyeY = Saturate16(2 - V);
}

namespace {

struct CosSin {
    double Cos;
    double Sin;
};

CosSin CosSinOf(int Angle) {
    const auto a = static_cast<float>(Angle * (kPi / 180));
    return {std::cos(static_cast<double>(a)), std::sin(static_cast<double>(a))};
}

// Every angle a draw forms, a bearing (0..360) plus ViewYaw (0..359), worked out once.
constexpr int kTabledAngles = 720;
const std::array<CosSin, kTabledAngles>& AngleTable() {
    static const std::array<CosSin, kTabledAngles> table = [] {
        std::array<CosSin, kTabledAngles> t{};
        for (int angle = 0; angle < kTabledAngles; ++angle) {
            t[static_cast<std::size_t>(angle)] = CosSinOf(angle);
        }
        return t;
    }();
    return table;
}

}  // namespace

void PlaceAtAngle(float& X, float& Y, int Angle) {
    // The squares are summed wider than single so that a far point keeps its distance.
    const auto r =
        static_cast<float>(std::sqrt(static_cast<double>(X) * X + static_cast<double>(Y) * Y));
    const CosSin cs = Angle >= 0 && Angle < kTabledAngles
                          ? AngleTable()[static_cast<std::size_t>(Angle)]
                          : CosSinOf(Angle);
    X = static_cast<float>(r * cs.Cos);
    Y = static_cast<float>(r * cs.Sin);
}

// --- Projection and shading ---

Projection::Projection(float width, float height, float halfRange, int16_t ViewTilt,
                       int16_t Ceiling)
    : Width(width),
      Height(height),
      HalfRange(halfRange),
      PlanShare(ViewTilt / 90.0),
      SideShare(std::abs(90 - ViewTilt) / 90.0),
      Ground(SideShare * (height / 2.0)),
      PerFoot(Ceiling == 0 ? 0.0 : SideShare * ((height / 2.0 * 0.8) / Ceiling)) {}

Projection MakeProjection(const ThreeDScene& scene, const SharedSubsAndVar& state, float W,
                          float H) {
    // Below 1 km (0, or negative after Zoom Range at a Visibility below 8) the half-range would
    // divide by zero or turn the picture half a turn; the view state keeps its ViewZoom.
    const int R = scene.ViewZoom + state.Visibility;
    return {W, H, R < 1 ? 1.0f : static_cast<float>(R), scene.ViewTilt, state.Ceiling};
}

float ProjectX(const Projection& p, float X) {
    const float half = p.Width / 2;
    return half + half / p.HalfRange * X;
}

float ProjectFlatY(const Projection& p, float Y) {
    const float half = p.Height / 2;
    return half - half / p.HalfRange * Y;
}

double ProjectY(const Projection& p, float Y, int16_t Altitude) {
    return p.PlanShare * ProjectFlatY(p, Y) + p.Ground - p.PerFoot * Altitude;
}

RgbColor HazeColor(const ThreeDScene& scene, int16_t Visibility, int16_t R, int16_t G, int16_t B,
                   float X, float Y) {
    const double dx = static_cast<double>(X) - scene.EyeX;
    const double dy = static_cast<double>(Y) + scene.EyeY;
    const auto d = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    const int k = 2 * Visibility + 4;
    // With k at 0 or below every factor would be 0 or less: the 30 per cent floor.
    const float factor = k > 0 ? d / static_cast<float>(k) : -1.0f;
    auto shade = [factor](int16_t c) -> uint8_t {
        double shaded = RoundHalfEven(static_cast<double>(factor * static_cast<float>(c)));
        const double floor = 0.3 * c;
        if (floor > shaded || std::isnan(shaded)) {
            shaded = RoundHalfEven(floor);
        }
        return static_cast<uint8_t>(std::clamp(shaded, 0.0, 255.0));
    };
    return {shade(R), shade(G), shade(B)};
}

int16_t IconIndex(int16_t ViewYaw, int16_t HeadingSector) {
    const int s = HeadingToSector(WrapHeading(90 - ViewYaw));
    return WrapSector(s + HeadingSector);
}

bool IsThreeDFriend(const SharedSubsAndVar& state, const AircraftRecord& aircraft) {
    if (state.ArenaMode <= 1) {
        return aircraft.Squad == state.OwnSquad;
    }
    return aircraft.Team == state.OwnTeam;
}

// --- Painter's order ---

float EyeDistance(const ThreeDScene& scene, float X, float Y) {
    const double dy = scene.EyeY - static_cast<double>(Y);
    const double dx = scene.EyeX - static_cast<double>(X);
    return static_cast<float>(RoundHalfEven(static_cast<float>(std::sqrt(dy * dy + dx * dx))));
}

// --- Redraw ---

void Redraw(ThreeDScene& scene, const SharedSubsAndVar& state, const ThreeDSizes& sizes,
            RedrawBuffers& buffers) {
    std::vector<ThreeDStep>& steps = buffers.Steps;
    steps.clear();
    const Painter paint{scene, state, sizes,
                        MakeProjection(scene, state, sizes.Width, sizes.Height)};
    const Projection& p = paint.View;
    steps.push_back(ClearStep{});

    // Compass markers: all four placed before any is painted.
    for (ScenePoint* point :
         {&scene.NorthPoint, &scene.SouthPoint, &scene.EastPoint, &scene.WestPoint}) {
        Place(*point, scene.ViewYaw);
    }
    for (const auto& [picture, point] : {std::pair{ScenePicture::North, &scene.NorthPoint},
                                         std::pair{ScenePicture::South, &scene.SouthPoint},
                                         std::pair{ScenePicture::East, &scene.EastPoint},
                                         std::pair{ScenePicture::West, &scene.WestPoint}}) {
        const double y = ProjectY(p, point->Y, 0) - sizes.MarkerHeight / 2;
        steps.push_back(PictureStep{picture, 0, ProjectX(p, point->X) - sizes.MarkerWidth / 2,
                                    static_cast<float>(y)});
    }

    // Ground grid: EW 0, NS 0, EW 1, NS 1, ... as far as the Visibility now asks and the lines
    // built allow; each line in the shade of its middle.
    const int asked = 2 * state.Visibility + 1;
    const int lines = std::clamp(
        asked, 0, static_cast<int>(std::min(scene.GridLinesEW.size(), scene.GridLinesNS.size())));
    const int aircraft = PointsBuilt(scene.AircraftPoints, state.AircraftCount());
    const int objectives = PointsBuilt(scene.ObjectivePoints, state.ObjectiveCount());
    steps.reserve(steps.size() + 2 * static_cast<std::size_t>(lines) +
                  4 * static_cast<std::size_t>(aircraft + objectives + 1));
    for (int i = 0; i < lines; ++i) {
        for (GridLine* line : {&scene.GridLinesEW[static_cast<std::size_t>(i)],
                               &scene.GridLinesNS[static_cast<std::size_t>(i)]}) {
            PlaceAtAngle(line->X1, line->Y1, line->Bearing1 + scene.ViewYaw);
            PlaceAtAngle(line->X2, line->Y2, line->Bearing2 + scene.ViewYaw);
            const float midX = (line->X1 + line->X2) / 2;
            const float midY = (line->Y1 + line->Y2) / 2;
            steps.push_back(
                LineStep{ProjectX(p, line->X1), static_cast<float>(ProjectY(p, line->Y1, 0)),
                         ProjectX(p, line->X2), static_cast<float>(ProjectY(p, line->Y2, 0)),
                         paint.Haze(0, 150, 0, midX, midY)});
        }
    }

    // Objects: placed, projected and shaded in list order (the records lie in that order in
    // memory), then drawn farthest first.
    std::vector<DrawnObject>& objects = buffers.Objects;
    std::vector<Keyed>& keyed = buffers.Keys;
    objects.clear();
    keyed.clear();
    auto add = [&](float x, float y, const std::optional<DrawnObject>& drawn) {
        const float distance = EyeDistance(scene, x, y);
        if (drawn && std::isfinite(distance)) {
            keyed.push_back({FarthestFirstKey(distance), static_cast<uint32_t>(objects.size())});
            objects.push_back(*drawn);
        }
    };
    for (int i = 1; i <= aircraft; ++i) {
        ScenePoint& at = scene.AircraftPoints[static_cast<std::size_t>(i)];
        Place(at, scene.ViewYaw);
        const AircraftRecord& a = state.AircraftList(i);
        const bool friendly = IsThreeDFriend(state, a);
        const RgbColor color = friendly ? paint.Haze(100, 150, 255, at.X, at.Y)
                                        : paint.Haze(255, 100, 100, at.X, at.Y);
        add(at.X, at.Y,
            paint.Project(at.X, at.Y, a.Altitude, color,
                          friendly ? ScenePicture::Friendly : ScenePicture::BadGuy,
                          IconIndex(scene.ViewYaw, a.HeadingSector), a.Pic.empty() ? 0 : i));
    }
    for (int i = 1; i <= objectives; ++i) {
        ScenePoint& at = scene.ObjectivePoints[static_cast<std::size_t>(i)];
        Place(at, scene.ViewYaw);
        add(at.X, at.Y,
            paint.Project(at.X, at.Y, RoundClampInt16(state.ObjectiveList(i).Altitude),
                          paint.Haze(255, 255, 100, at.X, at.Y), ScenePicture::BullsEye, 0, 0));
    }
    add(0, 0,
        paint.Project(0, 0, state.OwnAltitude, paint.Haze(0, 255, 0, 0, 0), ScenePicture::GoodGuy,
                      IconIndex(scene.ViewYaw, state.OwnHeadingSector), 0));
    RadixSort(keyed, buffers.SortScratch);

    // Within one object: stick, ground dot over its foot, picture over its top, label beside.
    buffers.ObjectsBegin = steps.size();
    for (const Keyed& k : keyed) {
        const DrawnObject& o = objects[k.Sequence];
        steps.push_back(LineStep{o.X, o.Ground, o.X, o.Top, o.Color});
        steps.push_back(DotStep{o.X, o.Ground, kGroundDotRadius, o.Color});
        steps.push_back(PictureStep{o.Picture, o.Index, o.PictureLeft, o.PictureTop});
        if (o.LabelOf != 0) {
            steps.push_back(LabelStep{o.X + sizes.IconWidth / 2, o.Top, o.Color, o.LabelOf});
        }
    }
}

// --- Controls ---

void ApplyPreset(ThreeDScene& scene, PresetView preset) {
    switch (preset) {
        case PresetView::World:
            scene.ViewYaw = 50;
            scene.ViewTilt = 60;
            scene.ViewZoom = 7;
            break;
        case PresetView::ZoomRange:
            scene.ViewZoom = -8;
            break;
        case PresetView::SouthLookingNorth:
            scene.ViewYaw = 90;
            scene.ViewTilt = 0;
            scene.ViewZoom = 7;
            break;
        case PresetView::EastLookingWest:
            scene.ViewYaw = 0;
            scene.ViewTilt = 0;
            scene.ViewZoom = 7;
            break;
        case PresetView::TopDown:
            scene.ViewYaw = 90;
            scene.ViewTilt = 90;
            scene.ViewZoom = 7;
            break;
    }
}

bool MenuShownAfterKey(int KeyAscii, bool menuShown) {
    return KeyAscii == 27 && !menuShown;
}

bool DragStep(ThreeDScene& scene, int16_t Visibility, int Button, float X, float Y, float H) {
    if (Button != 1 && Button != 2) {
        return false;
    }
    if (scene.LastMouseX == 0) {
        scene.LastMouseX = RoundClampInt16(X);
    }
    if (scene.LastMouseY == 0) {
        scene.LastMouseY = RoundClampInt16(Y);
    }
    if (Button == 2) {
        if (Y < scene.LastMouseY) {
            if (scene.ViewZoom - 1 + Visibility != 0) {
                scene.ViewZoom = Saturate16(scene.ViewZoom - 1);
            }
            scene.LastMouseY = RoundClampInt16(Y);
        }
        if (Y > scene.LastMouseY) {
            scene.ViewZoom = Saturate16(scene.ViewZoom + 1);
            scene.LastMouseY = RoundClampInt16(Y);
        }
        return true;
    }
    // Right of the pointer's last place turns one way above the centre line, the other below.
    const int turn = Y > H / 2 ? 10 : -10;
    if (X > scene.LastMouseX) {
        scene.ViewYaw = WrapHeading(scene.ViewYaw + turn);
        scene.LastMouseX = RoundClampInt16(X);
    }
    if (X < scene.LastMouseX) {
        scene.ViewYaw = WrapHeading(scene.ViewYaw - turn);
        scene.LastMouseX = RoundClampInt16(X);
    }
    const int16_t lastY = scene.LastMouseY;
    if (Y < lastY && scene.ViewTilt - 3 >= 0) {
        scene.ViewTilt = static_cast<int16_t>(scene.ViewTilt - 3);
    }
    if (Y > lastY && scene.ViewTilt + 3 <= 90) {
        scene.ViewTilt = static_cast<int16_t>(scene.ViewTilt + 3);
    }
    scene.LastMouseY = RoundClampInt16(Y);
    return true;
}

}  // namespace velmora
