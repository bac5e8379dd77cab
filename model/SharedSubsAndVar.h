#pragma once
// The turn and the orders being composed: one state that every window reads directly.
// Field names are the ones every window and rule of the program uses (OwnX, AircraftList, ...).

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace velmora {

// A growable list numbered from 1, as the turn file numbers its blocks.
template <class T>
class OneBasedList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Has(int i) const { return i >= 1 && i <= Count(); }
    // Callers test Has(i) first; an index outside 1..Count() is a programming error.
    T& operator()(int i) { return items_.at(static_cast<std::size_t>(i - 1)); }
    const T& operator()(int i) const { return items_.at(static_cast<std::size_t>(i - 1)); }
    T& Append() { return items_.emplace_back(); }
    void Clear() { items_.clear(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<T> items_;
};

struct AircraftRecord {
    std::string Name;
    std::string Pic;
    int16_t Team = 0;
    std::string Squad;
    int16_t Arena = 0;
    float X = 0;                // km, east
    float Y = 0;                // km, north
    int16_t HeadingSector = 0;  // 0..7
    int16_t Altitude = 0;       // feet
    int16_t Airspeed = 0;
    std::string Plane;
    int16_t Victories = 0;
    int16_t Defeats = 0;
};

struct ObjectiveRecord {
    std::string Name;
    float X = 0;         // km
    float Y = 0;         // km
    float Altitude = 0;  // feet
};

// A parameter's value: text for a "String" parameter, a number for an "Integer" one.
using ParamValue = std::variant<std::string, double>;

struct ParamDef {
    std::string Name;  // empty: the slot holds no parameter
    std::string Kind;  // "String" or "Integer"
    ParamValue Value;
};

struct CommandDef {
    std::string Name;
    std::array<ParamDef, 6> Params;  // slots 1..5 in file order; slot 0 is never used
};

constexpr int kMaxListCount = 32767;  // aircraft and objectives per turn file

struct SharedSubsAndVar {
    // Own aircraft
    float OwnX = 0;
    float OwnY = 0;
    int16_t OwnHeading = 0;  // as the file gives it, not wrapped
    int16_t OwnHeadingSector = 0;
    int16_t OwnAltitude = 0;
    int16_t OwnAirspeed = 0;
    std::string OwnAircraftType;
    int16_t OwnTeam = 0;
    std::string OwnSquad;
    int16_t OwnVictories = 0;
    int16_t OwnDefeats = 0;

    // Arena
    int16_t Visibility = 0;  // km
    int16_t Ceiling = 0;     // feet
    float MaxRange = 0;      // km
    int16_t ArenaMode = 0;
    std::string ServerAddr;

    // Damage levels: 0 green, 1 yellow, 2 red, anything else black
    int16_t DamageEngine = 0;
    int16_t DamageLeftWing = 0;
    int16_t DamageRightWing = 0;
    int16_t DamageFuselage = 0;
    int16_t DamageControls = 0;

    std::string CombatText;  // every line followed by CR LF

    OneBasedList<AircraftRecord> AircraftList;
    OneBasedList<ObjectiveRecord> ObjectiveList;
    OneBasedList<CommandDef> Commands;
    int AircraftCount() const { return AircraftList.Count(); }
    int ObjectiveCount() const { return ObjectiveList.Count(); }
    int NumCommands() const { return Commands.Count(); }

    // View state
    int16_t ZoomLevel = 0;  // km from the view's centre to its edge
    // 0 own, n aircraft n, -1 an objective; test against AircraftCount
    int16_t SelectedAircraft = 0;

    // Order state
    int16_t OrderHeading = 0;
    int16_t OrderAltitude = 0;
    int16_t OrderThrottle = 0;
    int16_t RadioKind = 0;  // 0 private, 1 squadron, 2 team
    std::string RadioMessages;
    int16_t CurrentCommand = 0;
    int16_t CurrentParam = 0;
    std::string PilotName;
    std::string PilotPassword;
};

}  // namespace velmora
