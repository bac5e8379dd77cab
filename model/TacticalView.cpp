#include "model/TacticalView.h"

#include <cmath>

#include "model/Numbers.h"
#include "model/SharedProcedures.h"

namespace velmora {

namespace {

double ExactHalf(double viewSize, double iconSize) {
    return viewSize / 2.0 - iconSize / 2.0;
}

double MapDistance(const SharedSubsAndVar& state, float x, float y) {
    // The differences are single precision before they are widened.
    const float dx = x - state.OwnX;
    const float dy = y - state.OwnY;
    return std::sqrt(static_cast<double>(dy) * dy + static_cast<double>(dx) * dx);
}

// Tests the distance first, so points beyond the view are never placed.
std::optional<MapPlacement> PlaceIfShown(const SharedSubsAndVar& state,
                                         const ViewGeometry& geometry, const ViewHalves& halves,
                                         float x, float y) {
    if (!(MapDistance(state, x, y) < state.ZoomLevel)) {
        return std::nullopt;
    }
    return PlaceMapPoint(state, geometry, halves, x, y);
}

}  // namespace

ViewHalves DrawingHalves(const ViewGeometry& geometry) {
    const ViewHalves exact = HitTestHalves(geometry);
    return {static_cast<double>(RoundClampInt16(exact.HalfW)),
            static_cast<double>(RoundClampInt16(exact.HalfH))};
}

ViewHalves HitTestHalves(const ViewGeometry& geometry) {
    return {ExactHalf(geometry.ViewWindow.Width, geometry.CntrFighter.Width),
            ExactHalf(geometry.ViewWindow.Height, geometry.CntrFighter.Height)};
}

std::optional<MapPlacement> PlaceMapPoint(const SharedSubsAndVar& state,
                                          const ViewGeometry& geometry, const ViewHalves& halves,
                                          float x, float y) {
    if (state.ZoomLevel < 1) {
        return std::nullopt;
    }
    // The offset from the map's centre, then the corner, each in 16 bits.
    const float dx = x - state.OwnX;
    const float dy = y - state.OwnY;
    const double zoom = state.ZoomLevel;
    const std::optional<int16_t> px = RoundToInt16(dx / zoom * halves.HalfW);
    const std::optional<int16_t> py = RoundToInt16(-(dy / zoom * halves.HalfH));
    if (!px || !py) {
        return std::nullopt;
    }
    const ControlBox& view = geometry.ViewWindow;
    const ControlBox& icon = geometry.CntrFighter;
    const std::optional<int16_t> left =
        RoundToInt16(static_cast<double>(*px) + view.Left + view.Width / 2.0 - icon.Width / 2.0);
    const std::optional<int16_t> top =
        RoundToInt16(static_cast<double>(*py) + view.Top + view.Height / 2.0 - icon.Height / 2.0);
    if (!left || !top) {
        return std::nullopt;
    }
    return MapPlacement{*left, *top};
}

bool IsFriend(const SharedSubsAndVar& state, const AircraftRecord& aircraft) {
    if (state.ArenaMode == 1) {
        return !state.OwnSquad.empty() && aircraft.Squad == state.OwnSquad;
    }
    return aircraft.Team == state.OwnTeam;
}

PictureOp AircraftPicture(const SharedSubsAndVar& state, const AircraftRecord& aircraft,
                          int16_t left, int16_t top) {
    return {IsFriend(state, aircraft) ? PictureSet::Friendly : PictureSet::BadGuy,
            WrapSector(aircraft.HeadingSector), left, top};
}

std::vector<DrawOp> RedrawTacticalView(const SharedSubsAndVar& state,
                                       const ViewGeometry& geometry) {
    std::vector<DrawOp> ops;
    if (state.ZoomLevel < 1) {
        return ops;
    }
    ops.reserve(1 + static_cast<std::size_t>(state.ObjectiveCount()) +
                static_cast<std::size_t>(state.AircraftCount()));
    const ViewHalves halves = DrawingHalves(geometry);

    // A negative range has no circle to show; NaN fails the comparison as well.
    const float zoom = state.ZoomLevel;
    if (zoom > state.MaxRange && state.MaxRange >= 0) {
        const ControlBox& icon = geometry.CntrFighter;
        ops.push_back(CircleOp{
            icon.Left + icon.Width / 2.0, icon.Top + icon.Height / 2.0,
            RoundClampInt16(static_cast<double>(state.MaxRange) / state.ZoomLevel * halves.HalfW),
            kRangeCircleColor});
    }
    for (const ObjectiveRecord& objective : state.ObjectiveList) {
        if (const auto p = PlaceIfShown(state, geometry, halves, objective.X, objective.Y)) {
            ops.push_back(PictureOp{PictureSet::BullsEye, 0, p->Left, p->Top});
        }
    }
    for (const AircraftRecord& aircraft : state.AircraftList) {
        if (const auto p = PlaceIfShown(state, geometry, halves, aircraft.X, aircraft.Y)) {
            ops.push_back(AircraftPicture(state, aircraft, p->Left, p->Top));
        }
    }
    return ops;
}

void ZoomIn(SharedSubsAndVar& state) {
    if (state.ZoomLevel > 1) {
        --state.ZoomLevel;
    }
}

void ZoomOut(SharedSubsAndVar& state) {
    if (state.ZoomLevel < state.Visibility) {
        ++state.ZoomLevel;
    }
}

void ZoomToRange(SharedSubsAndVar& state) {
    state.ZoomLevel = RoundClampInt16(state.MaxRange);
}

}  // namespace velmora
