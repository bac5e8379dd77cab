#pragma once
// What the sixteen information labels show: the own aircraft, or the objective or aircraft
// under the pointer on the tactical view, with distance, line of sight, elevation and the
// shot rating. The window applies the label updates and replays the marks.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/SharedSubsAndVar.h"
#include "model/TacticalView.h"

namespace velmora {

inline constexpr RgbColor kLabelShown{255, 255, 0};
inline constexpr RgbColor kLabelDimmed{64, 64, 0};

// Changes to one label; an empty field leaves that property as it is.
struct LabelUpdate {
    std::optional<std::string> Caption;
    std::optional<RgbColor> ForeColor;
    std::optional<bool> Visible;
    std::optional<std::string> ToolTipText;
};

// One member per information label, named as the window's labels.
struct InfoLabels {
    LabelUpdate PName;
    LabelUpdate InfoSquad;
    LabelUpdate InfoAircraft;
    LabelUpdate InfoSpeed;
    LabelUpdate InfoAlt;
    LabelUpdate InfoBear;
    LabelUpdate InfoX;
    LabelUpdate InfoY;
    LabelUpdate CombatInfoLbl;
    LabelUpdate infoDist;
    LabelUpdate infoForward;
    LabelUpdate InfoElev;
    LabelUpdate infoProb;
    LabelUpdate RecordInfoLbl;
    LabelUpdate InfoVictories;
    LabelUpdate InfoDefeats;
};

// The combat captions of one contact. infoProb and Score are for an aircraft only.
struct CombatInfo {
    std::string infoDist;
    std::string infoForward;
    std::string InfoElev;
    std::optional<std::string> infoProb;
    int16_t Score = 0;  // the shot score; lower is a better shot
};

CombatInfo AircraftCombatInfo(const SharedSubsAndVar& state, const AircraftRecord& aircraft);

// Showing the own aircraft (pointer over the own icon, or after a read): nothing when it is
// already shown (SelectedAircraft 0). Otherwise the window applies Labels, replays a redraw,
// refreshes the own icon, draws Frame (the outline that marks a shown icon, in the window's fore
// colour), then sets SelectedAircraft and LastObjective to 0.
struct OwnAircraftShown {
    InfoLabels Labels;
    ControlBox Frame;
};
std::optional<OwnAircraftShown> CntrFighterPointerMove(const SharedSubsAndVar& state,
                                                       const ViewGeometry& geometry);

// One contact shown during a pointer move. The window replays a redraw, refreshes the own
// icon, paints Picture and draws Frame.
struct ContactShown {
    bool IsAircraft = false;
    int Index = 0;  // into ObjectiveList or AircraftList
    PictureOp Picture;
    ControlBox Frame;
};

struct PointerMoveResult {
    std::vector<ContactShown> Shown;  // in showing order; the last one stays on the labels
    // The labels as the contacts shown leave them, each showing in turn: the last objective's
    // updates with the last aircraft's over them. Every objective shown comes before every
    // aircraft, and the contacts of one kind change the same properties, so the earlier ones
    // leave nothing; a stack of thousands under the pointer costs the labels of two.
    InfoLabels Labels;
    int16_t SelectedAircraft = 0;
    int16_t LastObjective = 0;
};

// The pointer moved over the map to (x, y), twips relative to ViewWindow. A contact is under
// the pointer when the pointer, in window coordinates, lies strictly inside the square its
// picture is painted in. Contacts that cannot be placed (ZoomLevel below 1, beyond 16 bits) are
// never under it. Nothing is shown while the pointer stays on the aircraft shown.
PointerMoveResult ViewWindowPointerMove(const SharedSubsAndVar& state, const ViewGeometry& geometry,
                                        int16_t lastObjective, float x, float y);

}  // namespace velmora
