#include "view3d/ThreeDMap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/TacticalView.h"

namespace velmora {
namespace {

AircraftRecord AircraftAt(float x, float y, std::string squad = {}, int16_t team = 0,
                          std::string pic = {}, int16_t sector = 0) {
    AircraftRecord a;
    std::tie(a.X, a.Y, a.Squad, a.Team, a.Pic, a.HeadingSector) =
        std::tuple(x, y, std::move(squad), team, std::move(pic), sector);
    return a;
}

// Grid lines, the north marker (the east one mirrors it), the eye.
// (The small scene below shows the points mirrored east and placed by their bearings.)
TEST(SceneTest, LoadBuildsGridCompassAndEye) {
    const std::tuple<const char*, int16_t, std::size_t, float, int16_t> rows[] = {
        {"visibility 0 builds the lines through the own aircraft", 0, 1, 0, 2},
        {"the grid stops at its limit", 20000, 2 * kMaxGridVisibility + 1, 24000, -19998},
        {"negative visibility builds no grid", -5, 0, -6, 7},
        {"the eye saturates", -32768, 0, -39321.6f, 32767},
    };
    for (const auto& [name, visibility, lines, north, eyeY] : rows) {
        SharedSubsAndVar s;
        s.Visibility = visibility;
        ThreeDScene scene;
        BuildScene(scene, s);
        EXPECT_EQ(std::tuple(scene.GridLinesEW.size(), scene.GridLinesNS.size(), scene.NorthPoint.Y,
                             scene.EastPoint.X, scene.EyeY),
                  std::tuple(lines, lines, north, -north, eyeY))
            << name;
    }
}

// Absolute: the last placement alone decides, and a point far out keeps its distance.
TEST(PlacementTest, TurnsToBearingPlusYawWhateverTheEarlierPlacements) {
    float x = 3e20f, y = 4e20f;  // bearing 37
    for (const int yaw : {63, 43, 53}) {
        PlaceAtAngle(x, y, 37 + yaw);
    }
    EXPECT_NEAR(x, 0, 5e16f);
    EXPECT_NEAR(y, 5e20f, 5e16f);
}

// A 3400 x 3400 window at a half-range of 17 km: 100 twips to the km from the centre. Tilt 60 is
// two thirds plan, one third side; ceiling 0 stands everything on the ground.
TEST(ProjectionTest, TheBlendAndAZeroCeilingAndHalfRange) {
    EXPECT_NEAR(ProjectY(Projection(3400, 3400, 17, 60, 30000), 5, 0), 1366.6667, 1e-3);
    EXPECT_NEAR(ProjectY(Projection(3400, 3400, 17, 0, 0), 5, 20000), 1700, 1e-3);
    // Zoom Range at Visibility 8 and 5: a half-range of 0 and -3, each drawn as 1 km (a negative
    // one would put every point on the wrong side).
    SharedSubsAndVar s;
    ThreeDScene scene;
    scene.ViewZoom = -8;
    for (const int16_t visibility : {8, 5}) {
        s.Visibility = visibility;
        EXPECT_EQ(ProjectX(MakeProjection(scene, s, 3400, 3400), 1), 3400) << visibility;
    }
}

// The shading's reference point at Visibility 10 is (0, 8), its divisor 24.
TEST(HazeTest, BrighterAwayFromTheReferencePointWithinItsBounds) {
    ThreeDScene scene;
    scene.EyeY = -8;
    // Visibility, base colour, the point, the colour.
    const std::tuple<const char*, int16_t, RgbColor, float, float, RgbColor> rows[] = {
        {"twice 2V + 4 away is held at 255", 10, {200, 200, 200}, 0, 56, {255, 255, 255}},
        {"beyond single precision", 10, {200, 0, 0}, 3e38f, 3e38f, {255, 0, 0}},
        {"a divisor of 0 gives the floor", -2, {255, 100, 100}, 5, 5, {76, 30, 30}},
    };
    for (const auto& [name, visibility, base, x, y, expected] : rows) {
        EXPECT_EQ(HazeColor(scene, visibility, base.R, base.G, base.B, x, y), expected) << name;
    }
}

TEST(ObjectRulesTest, IconIndexTurnsInWholeSectorsFriendRuleDiffersFromTheTacticalView) {
    const std::tuple<const char*, int16_t, int16_t, int16_t> icons[] = {
        {"yaw 200", 200, 0, 6}, {"yaw 200, sector 3", 200, 3, 1}, {"yaw 359", 359, 0, 2}};
    for (const auto& [name, yaw, sector, k] : icons) {
        EXPECT_EQ(IconIndex(yaw, sector), k) << name;
    }

    // Mode, own squadron, the contact's squadron and team; friend in 3-D, on the tactical view.
    const std::tuple<const char*, int16_t, std::string, std::string, int16_t, bool, bool> rows[] = {
        // clang-format off
        {"mode 0, both squadrons empty, other team", 0, "", "", 2, true, false},
        {"mode 1, squadron in other case", 1, "Hawks", "hawks", 0, false, false},
        {"mode 2, own team, other squadron", 2, "Hawks", "Owls", 0, true, true},
        // clang-format on
    };
    for (const auto& [name, mode, ownSquad, squad, team, friend3d, friendTactical] : rows) {
        SharedSubsAndVar s;
        std::tie(s.ArenaMode, s.OwnSquad) = std::tuple(mode, ownSquad);
        const AircraftRecord a = AircraftAt(0, 0, squad, team);
        EXPECT_EQ(std::pair(IsThreeDFriend(s, a), IsFriend(s, a)),
                  std::pair(friend3d, friendTactical))
            << name;
    }
}

// Random scenes in half-kilometre steps, rich in ties and exact halves, against the passes:
// farthest first by eye distance rounded half to even (beyond 20 first too), and at one
// distance the aircraft in list order, then the objectives, then the own aircraft. Seen from the
// side, a stick's top tells its object: aircraft i stands at 10i feet, objective i at 10i + 5, the
// own aircraft at 9000 (id 2i, 2i + 1, 1800).
TEST(PaintersOrderTest, AgreesWithThePassesOnRandomScenes) {
    std::mt19937 random(8);
    std::uniform_int_distribution<int> half(-60, 60), count(0, 40), visibility(0, 25);
    for (int round = 0; round < 200; ++round) {
        SharedSubsAndVar s;
        std::tie(s.Visibility, s.Ceiling, s.OwnAltitude) =
            std::tuple(visibility(random), 8000, 9000);
        const auto at = [&] { return half(random) / 2.0f; };
        std::vector<int> ids;  // in list order: aircraft, objectives, own
        for (int i = 1, n = count(random); i <= n; ++i) {
            s.AircraftList.Append() = AircraftAt(at(), at());
            s.AircraftList(i).Altitude = static_cast<int16_t>(10 * i);
            ids.push_back(2 * i);
        }
        for (int i = 1, n = count(random); i <= n; ++i) {
            s.ObjectiveList.Append() = {"", at(), at(), 10.0f * i + 5};
            ids.push_back(2 * i + 1);
        }
        ids.push_back(1800);
        ThreeDScene scene;
        BuildScene(scene, s);
        ApplyPreset(scene, PresetView::SouthLookingNorth);
        RedrawBuffers buffers;
        Redraw(scene, s, {2000, 2000}, buffers);  // a stick's top: 1000 - altitude / 10 twips
        std::vector<int> drawn;
        for (std::size_t i = buffers.ObjectsBegin; i < buffers.Steps.size(); ++i) {
            if (const auto* stick = std::get_if<LineStep>(&buffers.Steps[i])) {
                drawn.push_back(static_cast<int>(std::lround(2 * (1000 - stick->Y2))));
            }
        }
        auto distance = [&](int id) {
            const ScenePoint p = id == 1800 ? ScenePoint{}
                                 : id % 2   ? scene.ObjectivePoints[id / 2]
                                            : scene.AircraftPoints[id / 2];
            const double d = std::hypot(scene.EyeX - double{p.X}, scene.EyeY - double{p.Y});
            return std::nearbyint(static_cast<float>(d));  // half to even
        };
        // The passes, one by one, take the objects of one distance in list order.
        std::stable_sort(ids.begin(), ids.end(),
                         [&](int a, int b) { return distance(a) > distance(b); });
        EXPECT_EQ(drawn, ids) << "round " << round;
    }
}

// Visibility 1 in a 1400 x 1400 window: R 8, 87.5 twips to the km, the eye at (0, 1) and the
// shading measured from (0, -1) with divisor 6, its floor 30 per cent.
TEST(RedrawTest, DrawsOneSmallSceneWholeAndOnlyWhatTheLoadBuiltAndTheViewReaches) {
    SharedSubsAndVar s;
    std::tie(s.Visibility, s.Ceiling, s.OwnAltitude, s.OwnHeadingSector, s.OwnSquad) =
        std::tuple(1, 1000, 500, 2, "A");
    s.AircraftList.Append() = AircraftAt(0, 2, "A", 0, "P1");
    s.AircraftList.Append() = AircraftAt(-2, 0, "B", 0, "P2", 3);
    s.ObjectiveList.Append() = {"south", 0, -2, 100};
    ThreeDScene scene;
    BuildScene(scene, s);
    RedrawBuffers buffers;
    const auto steps = [&] { return Redraw(scene, s, {1400, 1400}, buffers), buffers.Steps; };
    const RgbColor floor{0, 45, 0};
    const RgbColor foe{95, 37, 37}, friendly{50, 75, 128}, own{0, 76, 0}, objective{76, 76, 30};
    const std::vector<ThreeDStep> expected = {
        // clang-format off
        ClearStep{},
        // North up, East to the right, 1.2 km out.
        PictureStep{ScenePicture::North, 0, 512.5f, 407.5f},
        PictureStep{ScenePicture::South, 0, 512.5f, 617.5f},
        PictureStep{ScenePicture::East, 0, 617.5f, 512.5f},
        PictureStep{ScenePicture::West, 0, 407.5f, 512.5f},
        // The grid: EW then NS, each shaded at its middle; the line 1 km north is 2 from the
        // reference point, a third of the way to the base colour.
        LineStep{787.5f, 787.5f, 612.5f, 787.5f, floor}, LineStep{787.5f, 787.5f, 787.5f, 612.5f, floor},
        LineStep{787.5f, 700, 612.5f, 700, floor}, LineStep{700, 787.5f, 700, 612.5f, floor},
        LineStep{787.5f, 612.5f, 612.5f, 612.5f, {0, 50, 0}}, LineStep{612.5f, 787.5f, 612.5f, 612.5f, floor},
        // The objective, 3 from the eye, 1 from the reference: 0.3 x 255 = 76.5 rounds to 76.
        LineStep{700, 875, 700, 875, objective}, DotStep{700, 875, 50, objective},
        PictureStep{ScenePicture::BullsEye, 0, 520, 695},
        // The foe 2 km west, sqrt(5) from the reference: 0.3727 x (255, 100, 100).
        LineStep{525, 700, 525, 700, foe}, DotStep{525, 700, 50, foe},
        PictureStep{ScenePicture::BadGuy, 3, 345, 520}, LabelStep{705, 700, foe, 2},
        // The friend, 1 from the eye, 3 from the reference: 0.5 x 255 = 127.5 rounds to 128.
        LineStep{700, 525, 700, 525, friendly}, DotStep{700, 525, 50, friendly},
        PictureStep{ScenePicture::Friendly, 0, 520, 345}, LabelStep{880, 525, friendly, 1},
        // The own aircraft at the same distance, after it.
        LineStep{700, 700, 700, 700, own}, DotStep{700, 700, 50, own},
        PictureStep{ScenePicture::GoodGuy, 2, 520, 520},
        // clang-format on
    };
    EXPECT_EQ(steps(), expected);

    // A turn opened later: its contacts and grid lines were never built, so nothing more is
    // drawn; a lower visibility draws fewer grid lines, two at 0.
    for (int i = 0; i < 5; ++i) {
        s.AircraftList.Append() = AircraftAt(1, 1);
        s.ObjectiveList.Append() = {"new", 1, 1, 0};
    }
    s.Visibility = 50;
    EXPECT_EQ(steps().size(), expected.size());
    s.Visibility = 0;
    EXPECT_EQ(steps().size(), expected.size() - 4);
}

// Visibility 10, the outer height 4000, so the centre line is Y 2000. Before and after: yaw,
// tilt, zoom, last X, last Y.
TEST(ControlsTest, DragStepsAtTheEdges) {
    using View = std::array<int, 5>;
    // The button (1 left, 2 right, 3 both), the view before, the pointer, redrawn, the view after.
    const std::tuple<const char*, int, View, float, float, bool, View> rows[] = {
        // clang-format off
        {"centre line is above", 1, {90, 90, 7, 100, 2000}, 115, 2000, 1, {80, 90, 7, 115, 2000}},
        {"below it turns back", 1, {90, 90, 7, 100, 2100}, 115, 2100, 1, {100, 90, 7, 115, 2100}},
        {"yaw wraps below 0", 1, {0, 90, 7, 100, 100}, 115, 100, 1, {350, 90, 7, 115, 100}},
        {"tilt reaches 0", 1, {90, 3, 7, 100, 100}, 100, 85, 1, {90, 0, 7, 100, 85}},
        {"tilt stops at 90", 1, {90, 90, 7, 100, 100}, 100, 115, 1, {90, 90, 7, 100, 115}},
        {"no position yet: taken", 1, {90, 90, 7, 0, 0}, 450, 300, 1, {90, 90, 7, 450, 300}},
        {"16 bits saturate", 1, {90, 90, 7, 100, 100}, 40000, 100, 1, {80, 90, 7, 32767, 100}},
        {"zoom in stops at R 1", 2, {90, 90, -9, 100, 100}, 100, 85, 1, {90, 90, -9, 100, 85}},
        {"from R 0 on to -1", 2, {90, 90, -10, 100, 100}, 100, 85, 1, {90, 90, -11, 100, 85}},
        {"zoom saturates", 2, {90, 90, 32767, 100, 100}, 100, 115, 1, {90, 90, 32767, 100, 115}},
        {"both buttons: nothing", 3, {90, 90, 7, 100, 100}, 300, 300, 0, {90, 90, 7, 100, 100}},
        // clang-format on
    };
    for (const auto& [name, button, before, x, y, redraws, after] : rows) {
        ThreeDScene scene;
        auto view = std::tie(scene.ViewYaw, scene.ViewTilt, scene.ViewZoom, scene.LastMouseX,
                             scene.LastMouseY);
        view = std::tuple_cat(before);
        EXPECT_EQ(DragStep(scene, 10, button, x, y, 4000), redraws) << name;
        EXPECT_EQ(view, std::tuple_cat(after)) << name;
    }
}

}  // namespace
}  // namespace velmora
