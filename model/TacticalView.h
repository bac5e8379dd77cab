#pragma once
// The top-down tactical view as data: where each map point lands on the main window, what one
// redraw paints, and the three zoom steps. All geometry is in twips; the window replays the ops.

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "model/ColorAndBox.h"
#include "model/SharedSubsAndVar.h"

namespace velmora {

inline constexpr RgbColor kRangeCircleColor{80, 80, 74};

// The two controls the view is laid out by; the window passes their current geometry at every
// draw and pointer event.
struct ViewGeometry {
    ControlBox ViewWindow{120, 120, 4800, 4800};
    ControlBox CntrFighter{2345, 2340, 360, 360};
};

// Twips that stand for ZoomLevel kilometres: half the map less half an icon.
struct ViewHalves {
    double HalfW = 0;
    double HalfH = 0;
};

// The view rounds the halves to 16 bits; the hit test of the target information does not.
ViewHalves DrawingHalves(const ViewGeometry& geometry);
ViewHalves HitTestHalves(const ViewGeometry& geometry);

// Where a map point's 360 x 360 picture goes: its top-left corner, in twips.
struct MapPlacement {
    int16_t Left = 0;
    int16_t Top = 0;
};

// Nothing when ZoomLevel is below 1 (no scale to place by) or when the point's offset from the
// map's centre or its corner falls outside 16 bits: such a point lies far beyond the view and
// is neither painted nor hit.
std::optional<MapPlacement> PlaceMapPoint(const SharedSubsAndVar& state,
                                          const ViewGeometry& geometry, const ViewHalves& halves,
                                          float x, float y);

// The tactical view's rule: under ArenaMode 1 a friend flies in the own (non-empty) squadron,
// letter case counting; under any other mode it flies for the own team.
bool IsFriend(const SharedSubsAndVar& state, const AircraftRecord& aircraft);

enum class PictureSet { BullsEye, Friendly, BadGuy };

// Outline only; the centre may fall on a half twip.
struct CircleOp {
    double CenterX = 0;
    double CenterY = 0;
    int16_t Radius = 0;
    RgbColor Color;
    bool operator==(const CircleOp&) const = default;
};

// A picture painted at its natural size with its top-left corner at (Left, Top). Index is the
// heading sector 0..7 of an aircraft picture, 0 for BullsEye.
struct PictureOp {
    PictureSet Set = PictureSet::BullsEye;
    int16_t Index = 0;
    int16_t Left = 0;
    int16_t Top = 0;
    bool operator==(const PictureOp&) const = default;
};

using DrawOp = std::variant<CircleOp, PictureOp>;

// The picture of an aircraft as the view paints it: friendly or hostile, turned to its heading
// sector (a sector outside 0..7 is brought into it modulo 8, so the window never indexes past
// its eight pictures).
PictureOp AircraftPicture(const SharedSubsAndVar& state, const AircraftRecord& aircraft,
                          int16_t left, int16_t top);

// What one redraw paints, in painting order: the weapon-range circle when the view reaches past
// MaxRange, then the objectives, then the aircraft, each only when closer than ZoomLevel.
// Erases nothing. With ZoomLevel below 1 it paints nothing at all: the bare map stays.
std::vector<DrawOp> RedrawTacticalView(const SharedSubsAndVar& state, const ViewGeometry& geometry);

// The zoom buttons. The window refreshes the map, replays a redraw and refreshes the own icon
// after each, also when the zoom did not change.
void ZoomIn(SharedSubsAndVar& state);
void ZoomOut(SharedSubsAndVar& state);
// MaxRange rounded half to even, unbounded by 1 or Visibility; a range beyond 16 bits clamps
// to -32768..32767.
void ZoomToRange(SharedSubsAndVar& state);

}  // namespace velmora
