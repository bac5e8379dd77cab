#include "ThreeDMap.h"

#include <cmath>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "TacticalView.h"

namespace velmora {
namespace {

AircraftRecord AircraftAt(float x, float y, std::string squad = {}, int16_t team = 0) {
    AircraftRecord a;
    a.X = x;
    a.Y = y;
    a.Squad = std::move(squad);
    a.Team = team;
    return a;
}

// A 3400 x 3400 window at Visibility 10 and ViewZoom 7: 100 twips to the km from the centre.
Projection SquareProjection(int16_t tilt, int16_t ceiling = 30000) {
    return {3400, 3400, 17, tilt, ceiling};
}

TEST(SceneTest, LoadBuildsGridCompassAndEyeFromVisibility) {
    struct Row {
        const char* name;
        int16_t visibility;
        std::size_t lines;
        float compass;  // North's Y
        int16_t eyeY;
    };
    const Row rows[] = {
        {"visibility 10", 10, 21, 12, -8},
        {"visibility 0: one line each way at the origin", 0, 1, 0, 2},
        {"negative visibility builds no grid", -5, 0, -6, 7},
        {"the grid stops at its limit", 20000, 2 * kMaxGridVisibility + 1, 24000, -19998},
        {"the eye saturates", -32768, 0, -39321.6f, 32767},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.Visibility = r.visibility;
        ThreeDScene scene;
        scene.LastMouseX = 123;
        BuildScene(scene, s);
        EXPECT_EQ(scene.GridLinesEW.size(), r.lines) << r.name;
        EXPECT_EQ(scene.GridLinesNS.size(), r.lines) << r.name;
        EXPECT_FLOAT_EQ(scene.NorthPoint.Y, r.compass) << r.name;
        EXPECT_FLOAT_EQ(scene.EastPoint.X, -r.compass) << r.name;
        EXPECT_EQ(scene.EyeY, r.eyeY) << r.name;
        EXPECT_EQ(scene.LastMouseX, 123) << r.name << ": the load keeps the drag memory";
    }

    SharedSubsAndVar s;
    s.Visibility = 10;
    ThreeDScene scene;
    BuildScene(scene, s);
    EXPECT_EQ(scene.GridLinesEW[13], (GridLine{-10, 10, 3, 3, 287, 73}));
    EXPECT_EQ(scene.GridLinesNS[0], (GridLine{-10, -10, -10, 10, 225, 315}));
    EXPECT_EQ(MakeProjection(scene, s, 1, 1).R, 17);
}

TEST(SceneTest, PointsAreMirroredEastAndCarryTheirLoadBearing) {
    SharedSubsAndVar s;
    s.OwnX = 100;
    s.OwnY = 50;
    s.AircraftList.Append() = AircraftAt(105, 50);  // 5 km east
    s.AircraftList.Append() = AircraftAt(100, 50);  // on the own aircraft
    s.ObjectiveList.Append() = {"tie rounds to even", 100, 53, 500.5f};
    s.ObjectiveList.Append() = {"tie rounds up to even", 100, 53, 501.5f};
    s.ObjectiveList.Append() = {"beyond 16 bits", 100, 53, 1e9f};
    ThreeDScene scene;
    BuildScene(scene, s);
    ASSERT_EQ(scene.AircraftPoints.size(), 3u);
    EXPECT_EQ(scene.AircraftPoints[1], (ScenePoint{-5, 0, 0, 270}));
    EXPECT_EQ(scene.AircraftPoints[2], (ScenePoint{0, 0, 0, 0}));
    EXPECT_EQ(scene.ObjectivePoints[1], (ScenePoint{0, 3, 500, 0}));
    EXPECT_EQ(scene.ObjectivePoints[2].Altitude, 502);
    EXPECT_EQ(scene.ObjectivePoints[3].Altitude, 32767);
}

TEST(PlacementTest, TurnsToBearingPlusYawWhateverTheEarlierPlacements) {
    struct Row {
        const char* name;
        ScenePoint point;
        int yaw;
        float x, y;
    };
    const Row rows[] = {
        {"5 km east at yaw 90 lies right", {-5, 0, 0, 270}, 90, 5, 0},
        {"5 km east at yaw 0 lies near", {-5, 0, 0, 270}, 0, 0, -5},
        {"the origin stays", {0, 0, 0, 0}, 215, 0, 0},
        {"a grid end sits at its whole-degree bearing", {-10, 3, 0, 287}, 90, 9.9839f, 3.0524f},
        {"a far point keeps its distance", {3e20f, 4e20f, 0, 37}, 53, 0, 5e20f},
    };
    for (const Row& r : rows) {
        ScenePoint p = r.point;
        for (int yaw : {r.yaw + 10, r.yaw - 10, r.yaw}) {
            PlaceAtAngle(p.X, p.Y, p.Bearing + yaw);
        }
        const float tolerance = 1e-4f * std::max(1.0f, std::hypot(r.x, r.y));
        EXPECT_NEAR(p.X, r.x, tolerance) << r.name;
        EXPECT_NEAR(p.Y, r.y, tolerance) << r.name;
    }
}

TEST(ProjectionTest, PlanViewSideViewAndTheBlendBetween) {
    struct Row {
        const char* name;
        Projection p;
        float y;
        int16_t altitude;
        double expected;
    };
    const Row rows[] = {
        {"tilt 90 is the plan view", SquareProjection(90), 5, 30000, 1200},
        {"tilt 0 puts the ground at half the height", SquareProjection(0), 5, 0, 1700},
        {"tilt 0 puts the ceiling at a tenth", SquareProjection(0), -3, 30000, 340},
        {"tilt 60 is two thirds plan, one third side", SquareProjection(60), 5, 0, 1366.6667},
        {"ceiling 0 stands everything on the ground", SquareProjection(0, 0), 5, 20000, 1700},
        {"a negative ceiling lowers altitudes", SquareProjection(0, -30000), 0, 30000, 3060},
    };
    for (const Row& r : rows) {
        EXPECT_NEAR(ProjectY(r.p, r.y, r.altitude), r.expected, 1e-3) << r.name;
    }
    EXPECT_EQ(ProjectX(SquareProjection(90), 5), 2200);
    EXPECT_EQ(ProjectX(SquareProjection(90), -17), 0);
    EXPECT_EQ(ProjectFlatY(SquareProjection(90), 17), 0);
}

TEST(ProjectionTest, AZeroHalfRangeIsDrawnAsOneKilometre) {
    SharedSubsAndVar s;
    s.Visibility = 8;
    ThreeDScene scene;
    BuildScene(scene, s);
    ApplyPreset(scene, PresetView::ZoomRange);
    const Projection zero = MakeProjection(scene, s, 3400, 3400);
    EXPECT_EQ(ProjectX(zero, 1), 3400);
    s.Visibility = 5;  // R -3 keeps the formula: mirrored
    EXPECT_NEAR(ProjectX(MakeProjection(scene, s, 3400, 3400), 3), 0, 1e-3);
}

TEST(HazeTest, DarkestAtTheReferencePointAndBrighterAway) {
    SharedSubsAndVar s;
    s.Visibility = 10;
    ThreeDScene scene;
    BuildScene(scene, s);  // reference point (0, 8), divisor 24
    struct Row {
        const char* name;
        RgbColor base;
        float x, y;
        RgbColor expected;
    };
    const Row rows[] = {
        {"grid base at the reference point", {0, 150, 0}, 0, 8, {0, 45, 0}},
        {"0.3 x 255 = 76.5 rounds to 76", {255, 100, 100}, 0, 8, {76, 30, 30}},
        {"the middle line of the grid", {0, 150, 0}, 0, 0, {0, 50, 0}},
        {"the eye point: 16 / 24 of the base", {0, 150, 0}, 0, -8, {0, 100, 0}},
        {"2V + 4 away gives the base", {100, 150, 255}, 0, 32, {100, 150, 255}},
        {"twice that is held at 255", {200, 200, 200}, 0, 56, {255, 255, 255}},
        {"beyond single precision", {200, 0, 0}, 3e38f, 3e38f, {255, 0, 0}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(HazeColor(scene, s.Visibility, r.base.R, r.base.G, r.base.B, r.x, r.y),
                  r.expected)
            << r.name;
    }
    // A divisor of 0 (Visibility -2) gives the floor, as every negative divisor does.
    EXPECT_EQ(HazeColor(scene, -2, 255, 100, 100, 5, 5), (RgbColor{76, 30, 30}));
    EXPECT_EQ(HazeColor(scene, -3, 255, 100, 100, 5, 5), (RgbColor{76, 30, 30}));
}

TEST(ObjectRulesTest, IconIndexTurnsWithTheViewInWholeSectors) {
    struct Row {
        const char* name;
        int16_t yaw, sector, k;
    };
    const Row rows[] = {
        {"north up", 90, 3, 3}, {"world view", 50, 0, 1},         {"yaw 0, sector 7", 0, 7, 1},
        {"yaw 200", 200, 0, 6}, {"yaw 200, sector 3", 200, 3, 1}, {"yaw 359", 359, 0, 2},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(IconIndex(r.yaw, r.sector), r.k) << r.name;
    }
}

TEST(ObjectRulesTest, FriendRuleDiffersFromTheTacticalView) {
    struct Row {
        const char* name;
        int16_t mode;
        std::string ownSquad;
        AircraftRecord aircraft;
        bool friend3d, friendTactical;
    };
    const Row rows[] = {
        {"mode 0, both squadrons empty, other team", 0, "", AircraftAt(0, 0, "", 2), true, false},
        {"mode 0, own team, other squadron", 0, "Hawks", AircraftAt(0, 0, "Owls", 0), false, true},
        {"mode 1, same squadron", 1, "Hawks", AircraftAt(0, 0, "Hawks", 4), true, true},
        {"mode 1, squadron in other case", 1, "Hawks", AircraftAt(0, 0, "hawks", 0), false, false},
        {"mode 2, own team, other squadron", 2, "Hawks", AircraftAt(0, 0, "Owls", 0), true, true},
        {"mode 2, other team, same squadron", 2, "Hawks", AircraftAt(0, 0, "Hawks", 1), false,
         false},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.ArenaMode = r.mode;
        s.OwnSquad = r.ownSquad;
        EXPECT_EQ(IsThreeDFriend(s, r.aircraft), r.friend3d) << r.name;
        EXPECT_EQ(IsFriend(s, r.aircraft), r.friendTactical) << r.name;
    }
}

// The order as a scan of the passes 20 down to 0 would draw it.
std::vector<SceneObject> PassScan(const ThreeDScene& scene) {
    std::vector<SceneObject> order;
    for (int d = 20; d >= 0; --d) {
        for (std::size_t i = 1; i < scene.AircraftPoints.size(); ++i) {
            const ScenePoint& p = scene.AircraftPoints[i];
            if (EyeDistance(scene, p.X, p.Y) == d) {
                order.push_back({SceneObjectKind::Aircraft, static_cast<int>(i)});
            }
        }
        for (std::size_t i = 1; i < scene.ObjectivePoints.size(); ++i) {
            const ScenePoint& p = scene.ObjectivePoints[i];
            if (EyeDistance(scene, p.X, p.Y) == d) {
                order.push_back({SceneObjectKind::Objective, static_cast<int>(i)});
            }
        }
        if (EyeDistance(scene, 0, 0) == d) {
            order.push_back({SceneObjectKind::Own, 0});
        }
    }
    return order;
}

TEST(PaintersOrderTest, RoundsHalfToEvenAtThePassBoundaries) {
    ThreeDScene scene;
    scene.EyeY = -8;
    struct Row {
        const char* name;
        float distance;
        float pass;
    };
    const Row rows[] = {
        {"20.5 is pass 20", 20.5f, 20},
        {"20.6 lies beyond the passes", 20.6f, 21},
        {"2.5 is pass 2", 2.5f, 2},
        {"3.5 is pass 4", 3.5f, 4},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(EyeDistance(scene, 0, -8 + r.distance), r.pass) << r.name;
    }
}

TEST(PaintersOrderTest, FarthestFirstThenAircraftObjectivesAndOwn) {
    ThreeDScene scene;
    scene.EyeY = -8;  // the own aircraft lies 8 from the eye
    auto at = [](float distance) { return ScenePoint{0, -8 + distance, 0, 0}; };
    scene.AircraftPoints = {{}, at(8), at(30), at(8.4f), at(20.6f)};
    scene.ObjectivePoints = {{}, at(7.6f), at(20.5f)};
    const std::vector<SceneObject> expected = {
        {SceneObjectKind::Aircraft, 2},  {SceneObjectKind::Aircraft, 4},
        {SceneObjectKind::Objective, 2}, {SceneObjectKind::Aircraft, 1},
        {SceneObjectKind::Aircraft, 3},  {SceneObjectKind::Objective, 1},
        {SceneObjectKind::Own, 0},
    };
    EXPECT_EQ(PaintersOrder(scene, 4, 2), expected);
    // Counts beyond the points built read nothing more.
    EXPECT_EQ(PaintersOrder(scene, 400, 200), expected);
    EXPECT_EQ(PaintersOrder(scene, 0, 0), (std::vector<SceneObject>{{SceneObjectKind::Own, 0}}));
}

TEST(PaintersOrderTest, AgreesWithThePassScanOnRandomScenes) {
    std::mt19937 random(8);
    for (int round = 0; round < 200; ++round) {
        ThreeDScene scene;
        scene.EyeY = static_cast<int16_t>(2 - std::uniform_int_distribution<int>(0, 25)(random));
        // Half-kilometre steps make many ties and exact .5 distances.
        std::uniform_int_distribution<int> half(-60, 60);
        auto point = [&] { return ScenePoint{half(random) / 2.0f, half(random) / 2.0f, 0, 0}; };
        const int aircraft = std::uniform_int_distribution<int>(0, 40)(random);
        const int objectives = std::uniform_int_distribution<int>(0, 40)(random);
        scene.AircraftPoints.assign(1, {});
        scene.ObjectivePoints.assign(1, {});
        for (int i = 0; i < aircraft; ++i) {
            scene.AircraftPoints.push_back(point());
        }
        for (int i = 0; i < objectives; ++i) {
            scene.ObjectivePoints.push_back(point());
        }
        const std::vector<SceneObject> order = PaintersOrder(scene, aircraft, objectives);
        ASSERT_EQ(order.size(), static_cast<std::size_t>(aircraft + objectives + 1));
        auto distance = [&](const SceneObject& o) {
            const ScenePoint p = o.Kind == SceneObjectKind::Aircraft
                                     ? scene.AircraftPoints[static_cast<std::size_t>(o.Index)]
                                 : o.Kind == SceneObjectKind::Objective
                                     ? scene.ObjectivePoints[static_cast<std::size_t>(o.Index)]
                                     : ScenePoint{};
            return EyeDistance(scene, p.X, p.Y);
        };
        std::vector<SceneObject> within;
        float last = INFINITY;
        for (const SceneObject& o : order) {
            EXPECT_LE(distance(o), last) << "round " << round;
            last = distance(o);
            if (last <= 20) {
                within.push_back(o);
            }
        }
        EXPECT_EQ(within, PassScan(scene)) << "round " << round;
    }
}

SharedSubsAndVar SmallTurn() {
    SharedSubsAndVar s;
    s.Visibility = 0;
    s.Ceiling = 1000;
    s.OwnAltitude = 500;
    s.OwnHeadingSector = 2;
    s.OwnSquad = "A";
    AircraftRecord& a = s.AircraftList.Append() = AircraftAt(0, 2, "A");
    a.Pic = "P1";
    s.ObjectiveList.Append() = {"south", 0, -2, 100};
    return s;
}

// Visibility 0 in a 1400 x 1400 window: R 7, 100 twips to the km, the eye at (0, 2) and the
// shading measured from (0, -2) with divisor 4.
TEST(RedrawTest, DrawsOneSmallSceneWhole) {
    SharedSubsAndVar s = SmallTurn();
    ThreeDScene scene;
    BuildScene(scene, s);
    const std::vector<ThreeDStep> expected = {
        ClearStep{},
        PictureStep{ScenePicture::North, 0, 512.5f, 512.5f},
        PictureStep{ScenePicture::South, 0, 512.5f, 512.5f},
        PictureStep{ScenePicture::East, 0, 512.5f, 512.5f},
        PictureStep{ScenePicture::West, 0, 512.5f, 512.5f},
        LineStep{700, 700, 700, 700, {0, 75, 0}},
        LineStep{700, 700, 700, 700, {0, 75, 0}},
        // The objective, 4 from the eye, on the shading's reference point: the floor.
        LineStep{700, 900, 700, 900, {76, 76, 30}},
        DotStep{700, 900, 50, {76, 76, 30}},
        PictureStep{ScenePicture::BullsEye, 0, 520, 720},
        // The own aircraft, 2 from the eye: 0.5 x 255 = 127.5 rounds to 128.
        LineStep{700, 700, 700, 700, {0, 128, 0}},
        DotStep{700, 700, 50, {0, 128, 0}},
        PictureStep{ScenePicture::GoodGuy, 2, 520, 520},
        // The friend on the eye point, last and on top.
        LineStep{700, 500, 700, 500, {100, 150, 255}},
        DotStep{700, 500, 50, {100, 150, 255}},
        PictureStep{ScenePicture::Friendly, 0, 520, 320},
        LabelStep{880, 500, {100, 150, 255}, 1},
    };
    EXPECT_EQ(Redraw(scene, s, {1400, 1400}), expected);
}

TEST(RedrawTest, SideViewRaisesByAltitudeAndTurnsThePictures) {
    SharedSubsAndVar s = SmallTurn();
    s.AircraftList(1).Pic.clear();
    s.AircraftList(1).Altitude = 1000;
    s.AircraftList(1).HeadingSector = 7;
    ThreeDScene scene;
    BuildScene(scene, s);
    ApplyPreset(scene, PresetView::EastLookingWest);  // yaw 0: two sectors turned
    const std::vector<ThreeDStep> steps = Redraw(scene, s, {1400, 1400});
    // The aircraft at the ceiling, placed 2 km right, sqrt(8) from the shading's reference: its
    // stick from the ground (700) up to a tenth of H, and no label for an empty Pic.
    const std::vector<ThreeDStep> aircraft(steps.begin() + 7, steps.begin() + 10);
    EXPECT_EQ(aircraft, (std::vector<ThreeDStep>{
                            LineStep{900, 700, 900, 140, {71, 106, 180}},
                            DotStep{900, 700, 50, {71, 106, 180}},
                            PictureStep{ScenePicture::Friendly, 1, 720, -40},
                        }));
    EXPECT_TRUE(std::holds_alternative<LineStep>(steps[10]));
}

TEST(RedrawTest, ATurnOpenedLaterNeverReadsWhatTheLoadDidNotBuild) {
    SharedSubsAndVar s = SmallTurn();
    ThreeDScene scene;
    BuildScene(scene, s);
    for (int i = 0; i < 5; ++i) {
        s.AircraftList.Append() = AircraftAt(1, 1);
        s.ObjectiveList.Append() = {"new", 1, 1, 0};
    }
    s.Visibility = 50;
    const std::vector<ThreeDStep> steps = Redraw(scene, s, {1400, 1400});
    // Clear, 4 markers, the 2 lines built, 3 objects.
    EXPECT_EQ(steps.size(), 1u + 4 + 2 + 4 + 3 + 3);
    s.Visibility = -1;
    EXPECT_EQ(Redraw(scene, s, {1400, 1400}).size(), 1u + 4 + 4 + 3 + 3);
}

TEST(RedrawTest, EveryStepIsFiniteAtZeroRangeZeroCeilingAndFarPoints) {
    SharedSubsAndVar s = SmallTurn();
    s.Visibility = 8;
    s.Ceiling = 0;
    s.OwnX = 3e38f;
    s.AircraftList.Append() = AircraftAt(-3e38f, 3e38f);
    ThreeDScene scene;
    BuildScene(scene, s);
    ApplyPreset(scene, PresetView::World);
    ApplyPreset(scene, PresetView::ZoomRange);
    for (int16_t tilt : {90, 60, 0}) {
        scene.ViewTilt = tilt;
        for (const ThreeDStep& step : Redraw(scene, s, {1400, 1400})) {
            const bool finite = std::visit(
                [](const auto& st) {
                    using T = std::decay_t<decltype(st)>;
                    if constexpr (std::is_same_v<T, LineStep>) {
                        return std::isfinite(st.X1 + st.Y1 + st.X2 + st.Y2);
                    } else if constexpr (std::is_same_v<T, PictureStep>) {
                        return std::isfinite(st.Left + st.Top);
                    } else if constexpr (std::is_same_v<T, ClearStep>) {
                        return true;
                    } else {
                        return std::isfinite(st.X + st.Y);
                    }
                },
                step);
            EXPECT_TRUE(finite) << "tilt " << tilt;
        }
    }
}

TEST(ControlsTest, PresetsSetTheirView) {
    struct Row {
        const char* name;
        PresetView preset;
        int16_t yaw, tilt, zoom;
    };
    const Row rows[] = {
        {"World View", PresetView::World, 50, 60, 7},
        {"Zoom Range keeps yaw and tilt", PresetView::ZoomRange, 33, 42, -8},
        {"South looking North", PresetView::SouthLookingNorth, 90, 0, 7},
        {"East looking West", PresetView::EastLookingWest, 0, 0, 7},
        {"Top Down", PresetView::TopDown, 90, 90, 7},
    };
    for (const Row& r : rows) {
        ThreeDScene scene;
        scene.ViewYaw = 33;
        scene.ViewTilt = 42;
        scene.LastMouseX = 5;
        ApplyPreset(scene, r.preset);
        EXPECT_EQ(scene.ViewYaw, r.yaw) << r.name;
        EXPECT_EQ(scene.ViewTilt, r.tilt) << r.name;
        EXPECT_EQ(scene.ViewZoom, r.zoom) << r.name;
        EXPECT_EQ(scene.LastMouseX, 5) << r.name;
    }
}

TEST(ControlsTest, EscShowsTheMenuAndAnyKeyHidesIt) {
    EXPECT_TRUE(MenuShownAfterKey(27, false));
    EXPECT_FALSE(MenuShownAfterKey(27, true));
    EXPECT_FALSE(MenuShownAfterKey('a', true));
    EXPECT_FALSE(MenuShownAfterKey('a', false));
}

TEST(ControlsTest, DragStepsAtTheEdges) {
    struct Row {
        const char* name;
        int button;
        int16_t yaw, tilt, zoom, lastX, lastY;
        float x, y;
        bool redraws;
        int16_t yawAfter, tiltAfter, zoomAfter, lastXAfter, lastYAfter;
    };
    // The edges of the steps; Visibility 10, the outer height 4000, so the centre line is Y 2000.
    const Row rows[] = {
        {"the centre line counts as above", 1, 90, 90, 7, 100, 2000, 115, 2000, true, 80, 90, 7,
         115, 2000},
        {"yaw wraps below 0", 1, 0, 90, 7, 100, 100, 115, 100, true, 350, 90, 7, 115, 100},
        {"yaw wraps past 359", 1, 350, 90, 7, 115, 100, 100, 100, true, 0, 90, 7, 100, 100},
        {"tilt stops at 0", 1, 90, 0, 7, 100, 100, 100, 85, true, 90, 0, 7, 100, 85},
        {"tilt stops at 90", 1, 90, 90, 7, 100, 100, 100, 115, true, 90, 90, 7, 100, 115},
        {"diagonal: a turn and a tilt at once", 1, 90, 60, 7, 100, 100, 115, 115, true, 80, 63, 7,
         115, 115},
        {"an old position turns the first step", 1, 90, 90, 7, 900, 100, 450, 100, true, 100, 90, 7,
         450, 100},
        {"pointer beyond 16 bits saturates", 1, 90, 90, 7, 100, 100, 40000, 100, true, 80, 90, 7,
         32767, 100},
        {"zoom stops at R 1", 2, 90, 90, -9, 100, 100, 100, 85, true, 90, 90, -9, 100, 85},
        {"from R 0 the zoom goes on to -1", 2, 90, 90, -10, 100, 100, 100, 85, true, 90, 90, -11,
         100, 85},
        {"zoom saturates", 2, 90, 90, 32767, 100, 100, 100, 115, true, 90, 90, 32767, 100, 115},
        {"both buttons do nothing", 3, 90, 90, 7, 100, 100, 300, 300, false, 90, 90, 7, 100, 100},
        {"middle does nothing", 4, 90, 90, 7, 100, 100, 300, 300, false, 90, 90, 7, 100, 100},
    };
    for (const Row& r : rows) {
        ThreeDScene scene;
        scene.ViewYaw = r.yaw;
        scene.ViewTilt = r.tilt;
        scene.ViewZoom = r.zoom;
        scene.LastMouseX = r.lastX;
        scene.LastMouseY = r.lastY;
        EXPECT_EQ(DragStep(scene, 10, r.button, r.x, r.y, 4000), r.redraws) << r.name;
        EXPECT_EQ(scene.ViewYaw, r.yawAfter) << r.name;
        EXPECT_EQ(scene.ViewTilt, r.tiltAfter) << r.name;
        EXPECT_EQ(scene.ViewZoom, r.zoomAfter) << r.name;
        EXPECT_EQ(scene.LastMouseX, r.lastXAfter) << r.name;
        EXPECT_EQ(scene.LastMouseY, r.lastYAfter) << r.name;
    }
}

}  // namespace
}  // namespace velmora
