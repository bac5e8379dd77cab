#include "model/TargetInfo.h"

#include <algorithm>
#include <cmath>

#include "model/Numbers.h"
#include "model/SharedProcedures.h"

namespace velmora {

namespace {

const std::string kDegree = "\xC2\xB0";  // the degree sign, UTF-8

constexpr double kFeetPerKm = 3280.0;
constexpr int kWeak = 30;  // the score of a shot made all but impossible by one reason

void SetCaption(LabelUpdate& label, std::string caption) {
    label.Caption = std::move(caption);
}

void Show(std::initializer_list<LabelUpdate*> labels) {
    for (LabelUpdate* label : labels) {
        label->ForeColor = kLabelShown;
    }
}

void Dim(std::initializer_list<LabelUpdate*> labels) {
    for (LabelUpdate* label : labels) {
        label->ForeColor = kLabelDimmed;
    }
}

// The contact's side of the combat information: its map point and how its altitude compares.
struct ContactGeometry {
    float X = 0;
    float Y = 0;
    bool IsAircraft = false;
    float HeightKm = 0;     // |altitude difference| / 3280, single precision
    bool IsLower = false;   // strictly below the own aircraft
    bool FarApart = false;  // more than 4000 feet between the altitudes (aircraft only)
};

CombatInfo ComputeCombatInfo(const SharedSubsAndVar& state, const ContactGeometry& contact) {
    CombatInfo info;
    int score = 0;

    const float dx = state.OwnX - contact.X;
    const float dy = state.OwnY - contact.Y;
    const float dist =
        static_cast<float>(std::sqrt(static_cast<double>(dy) * dy + static_cast<double>(dx) * dx));
    info.infoDist =
        "Distance: " + MapNumber(dist) +
        (dist < state.MaxRange ? " km  (Target in range)" : " km  (Target out of range)");

    // The smaller angle between heading and bearing, 0..180. Working modulo 360 keeps a heading
    // outside 0..359 from overflowing and still gives the true angle.
    const int bearing = GetBearing(state.OwnX, state.OwnY, contact.X, contact.Y);
    const int turn = WrapHeading(state.OwnHeading - bearing);
    const int d = std::min(turn, 360 - turn);
    if (d > 60) {
        info.infoForward = "In Forward Line-of-Sight: No";
        score = kWeak;
    } else {
        info.infoForward = "In Forward Line-of-Sight: Yes";
    }
    score += static_cast<int>(RoundHalfEven(d * 6 / 60.0));

    if (dist == 0) {
        info.InfoElev = "Angle of Elevation: --";
        score += kWeak;
    } else {
        float e = static_cast<float>(
            RoundHalfEven(std::atan(static_cast<double>(contact.HeightKm) / dist) * 180.0 / kPi));
        // Climbing to a target costs more than diving on it.
        const float steep = contact.IsLower ? 80.0f : 45.0f;
        const float easy = contact.IsLower ? 45.0f : 10.0f;
        if (e > steep) {
            score += kWeak;
        }
        if (e > easy) {
            score += RoundClampInt16((e - easy) * 5.0f / 35.0f);
        }
        if (contact.IsLower) {
            e = -e;
        }
        info.InfoElev = "Angle of Elevation:" + CaptionNumber(e) + kDegree;
        if (contact.FarApart) {
            score += kWeak;
        }
    }

    // A range of 0.1 km or less divides nothing; the test above it keeps MaxRange above 0.1.
    if (dist > state.MaxRange) {
        score += kWeak;
    } else if (dist > 0.1f) {
        score += RoundClampInt16(dist * 5.0f / state.MaxRange);
    }

    if (!contact.IsAircraft) {
        return info;
    }
    info.Score = RoundClampInt16(score);
    if (info.Score < 5) {
        info.infoProb = "Probability: Excellent Shot";
    } else if (info.Score < 10) {
        info.infoProb = "Probability: Good Shot";
    } else if (info.Score < 16) {
        info.infoProb = "Probability: Decent Shot";
    } else {
        info.infoProb = "Probability: Impossible Shot";
    }
    return info;
}

std::string BearingCaption(const SharedSubsAndVar& state, float x, float y) {
    return "Bearing:" + CaptionNumber(GetBearing(state.OwnX, state.OwnY, x, y)) + kDegree;
}

ControlBox FrameAt(const ViewGeometry& geometry, double left, double top) {
    return {left, top, geometry.CntrFighter.Width - 20, geometry.CntrFighter.Height - 20};
}

// The later updates over the earlier, property by property.
void Over(LabelUpdate& earlier, const LabelUpdate& later) {
    if (later.Caption) {
        earlier.Caption = later.Caption;
    }
    if (later.ForeColor) {
        earlier.ForeColor = later.ForeColor;
    }
    if (later.Visible) {
        earlier.Visible = later.Visible;
    }
    if (later.ToolTipText) {
        earlier.ToolTipText = later.ToolTipText;
    }
}

void Over(InfoLabels& earlier, const InfoLabels& later) {
    for (auto member :
         {&InfoLabels::PName, &InfoLabels::InfoSquad, &InfoLabels::InfoAircraft,
          &InfoLabels::InfoSpeed, &InfoLabels::InfoAlt, &InfoLabels::InfoBear, &InfoLabels::InfoX,
          &InfoLabels::InfoY, &InfoLabels::CombatInfoLbl, &InfoLabels::infoDist,
          &InfoLabels::infoForward, &InfoLabels::InfoElev, &InfoLabels::infoProb,
          &InfoLabels::RecordInfoLbl, &InfoLabels::InfoVictories, &InfoLabels::InfoDefeats}) {
        Over(earlier.*member, later.*member);
    }
}

CombatInfo ObjectiveCombatInfo(const SharedSubsAndVar& state, const ObjectiveRecord& objective) {
    const float difference = state.OwnAltitude - objective.Altitude;
    ContactGeometry contact;
    contact.X = objective.X;
    contact.Y = objective.Y;
    contact.HeightKm = static_cast<float>(std::fabs(static_cast<double>(difference)) / kFeetPerKm);
    contact.IsLower = state.OwnAltitude > objective.Altitude;
    return ComputeCombatInfo(state, contact);
}

InfoLabels OwnAircraftLabels(const SharedSubsAndVar& state) {
    InfoLabels u;
    SetCaption(u.PName, "Your Aircraft");
    SetCaption(u.InfoSquad, "Squadron: " + state.OwnSquad);
    SetCaption(u.InfoAircraft, "Aircraft: " + state.OwnAircraftType);
    u.InfoAircraft.ToolTipText = "";
    SetCaption(u.InfoSpeed, "Airspeed:" + CaptionNumber(state.OwnAirspeed));
    SetCaption(u.InfoAlt, "Altitude:" + CaptionNumber(state.OwnAltitude));
    SetCaption(u.InfoBear, "Heading:" + CaptionNumber(state.OwnHeading) + kDegree);
    SetCaption(u.InfoX, "X: " + MapNumber(state.OwnX));
    SetCaption(u.InfoY, "Y: " + MapNumber(state.OwnY));
    SetCaption(u.InfoVictories, "Victories:" + CaptionNumber(state.OwnVictories));
    SetCaption(u.InfoDefeats, "Defeats:" + CaptionNumber(state.OwnDefeats));
    Show({&u.PName, &u.InfoSquad, &u.InfoAircraft, &u.InfoSpeed, &u.InfoAlt, &u.InfoBear, &u.InfoX,
          &u.InfoY, &u.RecordInfoLbl, &u.InfoVictories, &u.InfoDefeats});
    Dim({&u.CombatInfoLbl, &u.infoDist, &u.infoForward, &u.InfoElev, &u.infoProb});
    return u;
}

InfoLabels ObjectiveLabels(const SharedSubsAndVar& state, const ObjectiveRecord& objective) {
    InfoLabels u;
    SetCaption(u.PName, objective.Name);
    SetCaption(u.InfoAlt, "Altitude:" + CaptionNumber(objective.Altitude));
    SetCaption(u.InfoBear, BearingCaption(state, objective.X, objective.Y));
    SetCaption(u.InfoX, "X: " + MapNumber(objective.X));
    SetCaption(u.InfoY, "Y: " + MapNumber(objective.Y));
    Dim({&u.InfoSquad, &u.InfoAircraft, &u.InfoSpeed, &u.RecordInfoLbl, &u.InfoVictories,
         &u.InfoDefeats});

    CombatInfo combat = ObjectiveCombatInfo(state, objective);
    SetCaption(u.infoDist, std::move(combat.infoDist));
    SetCaption(u.infoForward, std::move(combat.infoForward));
    SetCaption(u.InfoElev, std::move(combat.InfoElev));
    for (LabelUpdate* label : {&u.CombatInfoLbl, &u.infoDist, &u.infoForward, &u.InfoElev}) {
        label->Visible = true;
    }
    Show({&u.CombatInfoLbl, &u.infoDist, &u.infoForward, &u.InfoElev});
    Dim({&u.infoProb});
    return u;
}

InfoLabels AircraftLabels(const SharedSubsAndVar& state, const AircraftRecord& aircraft) {
    InfoLabels u;
    SetCaption(u.PName, aircraft.Name + " (" + aircraft.Pic + ")");
    SetCaption(u.InfoSquad, "Squadron: " + aircraft.Squad);
    SetCaption(u.InfoAircraft, "Aircraft: " + aircraft.Plane);
    u.InfoAircraft.Visible = true;
    u.InfoAircraft.ToolTipText = u.InfoAircraft.Caption;
    SetCaption(u.InfoSpeed, "Airspeed:" + CaptionNumber(aircraft.Airspeed));
    SetCaption(u.InfoAlt, "Altitude:" + CaptionNumber(aircraft.Altitude));
    SetCaption(u.InfoBear, BearingCaption(state, aircraft.X, aircraft.Y));
    SetCaption(u.InfoX, "X: " + MapNumber(aircraft.X));
    SetCaption(u.InfoY, "Y: " + MapNumber(aircraft.Y));
    SetCaption(u.InfoVictories, "Victories:" + CaptionNumber(aircraft.Victories));
    SetCaption(u.InfoDefeats, "Defeats:" + CaptionNumber(aircraft.Defeats));
    Show({&u.PName, &u.InfoSquad, &u.InfoAircraft, &u.InfoSpeed, &u.InfoAlt, &u.InfoBear, &u.InfoX,
          &u.InfoY, &u.RecordInfoLbl, &u.InfoVictories, &u.InfoDefeats});

    CombatInfo combat = AircraftCombatInfo(state, aircraft);
    SetCaption(u.infoDist, std::move(combat.infoDist));
    SetCaption(u.infoForward, std::move(combat.infoForward));
    SetCaption(u.InfoElev, std::move(combat.InfoElev));
    SetCaption(u.infoProb, std::move(*combat.infoProb));
    for (LabelUpdate* label :
         {&u.CombatInfoLbl, &u.infoDist, &u.infoForward, &u.InfoElev, &u.infoProb}) {
        label->Visible = true;
    }
    Show({&u.CombatInfoLbl, &u.infoDist, &u.infoForward, &u.InfoElev, &u.infoProb});
    return u;
}

}  // namespace

CombatInfo AircraftCombatInfo(const SharedSubsAndVar& state, const AircraftRecord& aircraft) {
    // In int rather than 16 bits, so altitudes far apart cannot overflow.
    const int difference = state.OwnAltitude - aircraft.Altitude;
    ContactGeometry contact;
    contact.X = aircraft.X;
    contact.Y = aircraft.Y;
    contact.IsAircraft = true;
    contact.HeightKm = static_cast<float>(std::abs(difference) / kFeetPerKm);
    contact.IsLower = difference > 0;
    contact.FarApart = std::abs(difference) > 4000;
    return ComputeCombatInfo(state, contact);
}

std::optional<OwnAircraftShown> CntrFighterPointerMove(const SharedSubsAndVar& state,
                                                       const ViewGeometry& geometry) {
    if (state.SelectedAircraft == 0) {
        return std::nullopt;
    }
    return OwnAircraftShown{OwnAircraftLabels(state),
                            FrameAt(geometry, geometry.CntrFighter.Left, geometry.CntrFighter.Top)};
}

PointerMoveResult ViewWindowPointerMove(const SharedSubsAndVar& state, const ViewGeometry& geometry,
                                        int16_t lastObjective, float x, float y) {
    PointerMoveResult result;
    result.SelectedAircraft = state.SelectedAircraft;
    result.LastObjective = lastObjective;

    const ViewHalves halves = HitTestHalves(geometry);
    const double pointerX = static_cast<double>(x) + geometry.ViewWindow.Left;
    const double pointerY = static_cast<double>(y) + geometry.ViewWindow.Top;
    const double w = geometry.CntrFighter.Width;
    const double h = geometry.CntrFighter.Height;
    auto underPointer = [&](float cx, float cy) -> std::optional<MapPlacement> {
        const std::optional<MapPlacement> p = PlaceMapPoint(state, geometry, halves, cx, cy);
        if (p && p->Left < pointerX && pointerX < p->Left + w && p->Top < pointerY &&
            pointerY < p->Top + h) {
            return p;
        }
        return std::nullopt;
    };

    if (state.AircraftList.Has(state.SelectedAircraft)) {
        const AircraftRecord& held = state.AircraftList(state.SelectedAircraft);
        if (underPointer(held.X, held.Y)) {
            return result;
        }
    }

    // The selection is 16-bit, so no contact past 32767 can be shown.
    int objectiveShown = 0;
    const int objectives = std::min(state.ObjectiveCount(), kMaxListCount);
    for (int i = 1; i <= objectives; ++i) {
        if (i == result.LastObjective) {
            continue;
        }
        const ObjectiveRecord& objective = state.ObjectiveList(i);
        if (const auto p = underPointer(objective.X, objective.Y)) {
            result.Shown.push_back({false, i, PictureOp{PictureSet::BullsEye, 0, p->Left, p->Top},
                                    FrameAt(geometry, p->Left, p->Top)});
            objectiveShown = i;
            result.LastObjective = static_cast<int16_t>(i);
            result.SelectedAircraft = -1;
        }
    }

    int aircraftShown = 0;
    const int aircraftCount = std::min(state.AircraftCount(), kMaxListCount);
    for (int i = 1; i <= aircraftCount; ++i) {
        if (i == result.SelectedAircraft) {
            continue;
        }
        const AircraftRecord& aircraft = state.AircraftList(i);
        if (const auto p = underPointer(aircraft.X, aircraft.Y)) {
            result.Shown.push_back({true, i, AircraftPicture(state, aircraft, p->Left, p->Top),
                                    FrameAt(geometry, p->Left, p->Top)});
            aircraftShown = i;
            result.SelectedAircraft = static_cast<int16_t>(i);
            result.LastObjective = 0;
        }
    }

    if (objectiveShown > 0) {
        result.Labels = ObjectiveLabels(state, state.ObjectiveList(objectiveShown));
    }
    if (aircraftShown > 0) {
        Over(result.Labels, AircraftLabels(state, state.AircraftList(aircraftShown)));
    }
    return result;
}

}  // namespace velmora
