#pragma once
// The 3-D tactical map without a window: the scene that the map builds from the turn when it
// loads, the placement that turns it, the parallel projection with its tilt, the depth shading,
// the painter's order, the whole redraw as drawing steps in twips (in drawing order, for the
// window to replay), and the map's controls as changes of its view state.
//
// Scene coordinates: the own aircraft is the origin; scene X is the east offset with its sign
// inverted, scene Y the north offset, both km in single precision. Each point keeps the whole
// degree bearing it had at load; a draw places it at its distance from the origin in the
// direction bearing + ViewYaw, read counter-clockwise from +X, and stores the placed position.

#include <cstdint>
#include <variant>
#include <vector>

#include "model/ColorAndBox.h"
#include "model/SharedSubsAndVar.h"

namespace velmora {

struct ScenePoint {
    float X = 0;           // km; after a draw, the placed X
    float Y = 0;           // km; after a draw, the placed Y
    int16_t Altitude = 0;  // feet, at load
    int16_t Bearing = 0;   // whole degrees from the origin, at load
    bool operator==(const ScenePoint&) const = default;
};

struct GridLine {
    float X1 = 0;
    float X2 = 0;
    float Y1 = 0;
    float Y2 = 0;
    int16_t Bearing1 = 0;
    int16_t Bearing2 = 0;
    bool operator==(const GridLine&) const = default;
};

// The grid is built for at most this Visibility, so that 2V + 4 stays a 16-bit value.
inline constexpr int kMaxGridVisibility = 16381;

// The map's own state. It lives as long as the window object; a load rebuilds all of it except
// the drag memory (LastMouseX, LastMouseY), which only the mouse changes.
struct ThreeDScene {
    std::vector<ScenePoint> AircraftPoints;   // element i for AircraftList(i); 0 unused
    std::vector<ScenePoint> ObjectivePoints;  // element i for ObjectiveList(i); 0 unused
    int16_t ViewZoom = 7;                     // ViewZoom + Visibility is the half-range R, km
    int16_t ViewTilt = 90;                    // 90 plan view, 0 side view; stays in 0..90
    std::vector<GridLine> GridLinesEW;        // element j: the line Y = j - V
    std::vector<GridLine> GridLinesNS;        // element j: the line X = j - V
    int16_t EyeX = 0;
    int16_t EyeY = 0;
    int16_t LastMouseX = 0;  // twips at the last drag step; 0: no position yet
    int16_t LastMouseY = 0;
    int16_t ViewYaw = 90;  // degrees, kept within 0..359
    ScenePoint NorthPoint;
    ScenePoint EastPoint;
    ScenePoint SouthPoint;
    ScenePoint WestPoint;
};

// The load: builds the scene from the turn as it stands and sets the Top Down view. A negative
// Visibility builds no grid line, one above kMaxGridVisibility builds the grid of that limit.
void BuildScene(ThreeDScene& scene, const SharedSubsAndVar& state);

// Moves (X, Y) to the same distance from the origin in the direction Angle (degrees,
// counter-clockwise from +X). Absolute: the result depends only on the distance and Angle.
void PlaceAtAngle(float& X, float& Y, int Angle);

// What the projection reads at every call: the window's outer size in twips (frame, caption
// and menu bar included), the half-range R (ViewZoom + Visibility; a half-range below 1 km is
// drawn as 1 km), the tilt and the Ceiling (0: altitudes have no scale and stand on the ground).
struct Projection {
    Projection(float width, float height, float halfRange, int16_t ViewTilt, int16_t Ceiling);
    float Width, Height, HalfRange;
    // The tilt's blend, worked out once: the plan view's share and the side view's, the side
    // view's ground line and its height of one foot.
    double PlanShare, SideShare, Ground, PerFoot;
};

Projection MakeProjection(const ThreeDScene& scene, const SharedSubsAndVar& state, float W,
                          float H);

// Scene km to window twips from the inner area's top-left corner.
float ProjectX(const Projection& p, float X);
float ProjectFlatY(const Projection& p, float Y);
double ProjectY(const Projection& p, float Y, int16_t Altitude);

// The base colour (components 0..255) shaded for a placed scene point: 30 per cent at
// (EyeX, -EyeY), brighter with distance from there, the base colour at 2V + 4 km, at most 255.
RgbColor HazeColor(const ThreeDScene& scene, int16_t Visibility, int16_t R, int16_t G, int16_t B,
                   float X, float Y);

// The picture index k of an object with heading sector h in the view turned by ViewYaw.
int16_t IconIndex(int16_t ViewYaw, int16_t HeadingSector);

// The 3-D map's friend rule, which is not the tactical view's: under ArenaMode 1 or less a
// friend flies in the own squadron (exact text; two empty squadrons are equal), under 2 or more
// for the own team.
bool IsThreeDFriend(const SharedSubsAndVar& state, const AircraftRecord& aircraft);

// The rounded distance of a placed point from the eye point, by which the painter's order goes.
float EyeDistance(const ThreeDScene& scene, float X, float Y);

// --- One redraw as drawing steps ---

// The sizes the redraw centres pictures by, in twips: the own icon's (every aircraft and
// objective picture) and the compass images'.
struct ThreeDSizes {
    float Width = 0;  // outer size
    float Height = 0;
    float IconWidth = 360;
    float IconHeight = 360;
    float MarkerWidth = 375;
    float MarkerHeight = 375;
};

enum class ScenePicture : uint8_t { North, South, East, West, Friendly, BadGuy, GoodGuy, BullsEye };

// The inner area in the back colour.
struct ClearStep {
    bool operator==(const ClearStep&) const = default;
};

// One pixel wide, in Color, which also becomes the window's ForeColor.
struct LineStep {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    RgbColor Color;
    bool operator==(const LineStep&) const = default;
};

// A circle outlined and filled in Color.
struct DotStep {
    float X = 0;
    float Y = 0;
    float Radius = 0;
    RgbColor Color;
    bool operator==(const DotStep&) const = default;
};

// A picture at its natural size, top-left corner at (Left, Top). Index: the aircraft picture
// 0..7, 0 for the others.
struct PictureStep {
    ScenePicture Picture = ScenePicture::North;
    int16_t Index = 0;
    float Left = 0;
    float Top = 0;
    bool operator==(const PictureStep&) const = default;
};

// The label (Pic) of AircraftList(Aircraft), its top-left corner at (X, Y), in Color.
struct LabelStep {
    float X = 0;
    float Y = 0;
    RgbColor Color;
    int Aircraft = 0;
    bool operator==(const LabelStep&) const = default;
};

using ThreeDStep = std::variant<ClearStep, LineStep, DotStep, PictureStep, LabelStep>;

inline constexpr float kGroundDotRadius = 50;  // twips

namespace detail {
struct Keyed {
    uint32_t Key;       // sorts the farthest first
    uint32_t Sequence;  // aircraft, then objectives, then the own aircraft
};
// One object projected and shaded, ready to draw.
struct DrawnObject {
    float X, Ground, Top, PictureLeft, PictureTop;
    RgbColor Color;
    ScenePicture Picture;
    int16_t Index;
    int LabelOf;  // the aircraft whose label goes beside it; 0 for none
};
}  // namespace detail

// Room for a redraw's steps and for the lists it sorts, kept between redraws so that redrawing
// a large scene allocates nothing new.
struct RedrawBuffers {
    std::vector<ThreeDStep> Steps;
    // Steps from here on draw the objects, each as a line, a dot, a picture and maybe a label.
    std::size_t ObjectsBegin = 0;
    std::vector<detail::Keyed> Keys;
    std::vector<detail::Keyed> SortScratch;
    std::vector<detail::DrawnObject> Objects;
};

// The whole picture into buffers.Steps: clear, compass markers, ground grid, then the objects
// in painter's order: farthest rounded eye distance first; at one distance the aircraft in list
// order, then the objectives, then the own aircraft (objects beyond 20 km come first too, so
// none within sight is lost). Places every scene point for the current ViewYaw (the stored
// positions change). The grid lines drawn follow the Visibility now, bounded by the lines built;
// an aircraft or objective without a point built is not drawn, nor is one whose distance or
// projection lies beyond single precision. Aircraft with an empty label get no label step.
void Redraw(ThreeDScene& scene, const SharedSubsAndVar& state, const ThreeDSizes& sizes,
            RedrawBuffers& buffers);

// --- Controls ---

enum class PresetView { World, ZoomRange, SouthLookingNorth, EastLookingWest, TopDown };

void ApplyPreset(ThreeDScene& scene, PresetView preset);

// Whether the preset menu shows after a key press with this character code: Esc shows a
// hidden menu, any key hides a shown one, other keys leave a hidden one hidden.
bool MenuShownAfterKey(int KeyAscii, bool menuShown);

// One pointer move with Button held (1 left, 2 right, 4 middle, or a sum) at (X, Y) twips of
// the drawing area; H is the window's outer height. A right drag zooms, a left drag turns and
// tilts, one step of each kind at most. True when the window redraws: for the left or the
// right button alone, whether or not a value changed.
bool DragStep(ThreeDScene& scene, int16_t Visibility, int Button, float X, float Y, float H);

}  // namespace velmora
