#include "model/TurnFileReader.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <utility>

#include "model/KeyTable.h"
#include "model/SharedProcedures.h"
#include "model/TextLines.h"
#include "model/TurnValues.h"

namespace velmora {

namespace {

constexpr KeyTable kTopLevelTable(kTopLevelKeys);
constexpr KeyTable kCommandTable(kCommandKeys);
constexpr KeyTable kAircraftTable(kAircraftKeys);
constexpr KeyTable kObjectiveTable(kObjectiveKeys);

// Indices into the tables of TurnFileReader.h, checked against them.
enum TopKey {
    kVisibility,
    kServerAddr,
    kHeading,
    kAltitude,
    kAirspeed,
    kX,
    kY,
    kTeam,
    kSquad,
    kCeiling,
    kMaxRange,
    kArena,
    kAircraftType,
    kDamageEngine,
    kDamageLeftWing,
    kDamageRightWing,
    kDamageFuselage,
    kDamageControls,
    kVictories,
    kDefeats,
    kTopKeyCount
};
static_assert(kTopKeyCount == kTopLevelKeys.size() && kTopLevelKeys[kHeading] == "HEADING=" &&
              kTopLevelKeys[kAircraftType] == "AIRCRAFT=" && kTopLevelKeys[kDefeats] == "DEFEATS=");
enum CommandKey { kCmdName, kCmdStr, kCmdInt, kCmdKeyCount };
static_assert(kCmdKeyCount == kCommandKeys.size() && kCommandKeys[kCmdStr] == "STR~" &&
              kCommandKeys[kCmdInt] == "INT~");
enum AircraftKey {
    kAcName,
    kAcPic,
    kAcArena,
    kAcTeam,
    kAcSquad,
    kAcX,
    kAcY,
    kAcAltitude,
    kAcAirspeed,
    kAcPlane,
    kAcHeading,
    kAcVictories,
    kAcDefeats,
    kAcKeyCount
};
static_assert(kAcKeyCount == kAircraftKeys.size() && kAircraftKeys[kAcSquad] == "SQUAD=" &&
              kAircraftKeys[kAcHeading] == "HEADING=" && kAircraftKeys[kAcDefeats] == "PDEFEATS=");
enum ObjectiveKey { kObjName, kObjX, kObjY, kObjAltitude, kObjKeyCount };
static_assert(kObjKeyCount == kObjectiveKeys.size() && kObjectiveKeys[kObjAltitude] == "OALT=");

constexpr std::string_view kCommandStart = "[COMMAND]";
constexpr std::string_view kCommandEnd = "[ENDCOMMAND]";
constexpr std::string_view kAircraftStart = "[AIRCRAFT]";
constexpr std::string_view kAircraftEnd = "[ENDAIRCRAFT]";
constexpr std::string_view kObjectiveStart = "[OBJECTIVE]";
constexpr std::string_view kObjectiveEnd = "[ENDOBJECTIVE]";
constexpr std::string_view kCombatStart = "[COMBAT]";
constexpr std::string_view kCombatEnd = "[ENDCOMBAT]";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr int kMaxParams = 5;

// One read of one turn file into the state: header, then every line. Each method returns false
// at a failure, with failLine_ set.
class TurnReader {
public:
    TurnReader(std::string_view bytes, SharedSubsAndVar& state) : lines_(bytes), state_(state) {}

    ReadOutcome Run() {
        std::string_view line;
        if (!lines_.Next(line)) {
            return {ReadEnd::Empty, 0};
        }
        if (line != kTurnFileHeader) {
            return {ReadEnd::WrongHeader, 1};
        }
        do {
            if (!NextLine(line) || !ReadTopLevelLine(line)) {
                return {ReadEnd::Failed, failLine_};
            }
        } while (!lines_.AtEnd());
        return {ReadEnd::Complete, CurrentLine()};
    }

private:
    int CurrentLine() const {
        return lines_.Number() > INT_MAX ? INT_MAX : static_cast<int>(lines_.Number());
    }

    // A line that must be there; a missing one fails at the number it would have had.
    bool NextLine(std::string_view& line) {
        if (lines_.Next(line)) {
            return true;
        }
        failLine_ = lines_.Number() >= INT_MAX ? INT_MAX : static_cast<int>(lines_.Number() + 1);
        return false;
    }

    bool FailHere() {
        failLine_ = CurrentLine();
        return false;
    }

    // Stores a converted value in its field, or fails here with the field untouched.
    bool StoreWhole(std::string_view value, int16_t& field) {
        const std::optional<WholeNumber> w = ParseWholeNumber(value);
        if (!w) {
            return FailHere();
        }
        field = w->Value;
        return true;
    }

    bool StoreReal(std::string_view value, float& field) {
        const std::optional<float> r = ParseRealNumber(value);
        if (!r) {
            return FailHere();
        }
        field = *r;
        return true;
    }

    // One top-level line: its keys, then the block it may open.
    bool ReadTopLevelLine(std::string_view line) {
        if (!ReadTopLevelKey(line)) {
            return false;
        }
        if (line.empty() || line.front() != '[') {
            return true;
        }
        if (line == kCommandStart) {
            return ReadCommandBlock();
        }
        if (line == kAircraftStart) {
            return ReadAircraftBlock();
        }
        if (line == kObjectiveStart) {
            return ReadObjectiveBlock();
        }
        if (line == kCombatStart) {
            return ReadCombatBlock();
        }
        return true;
    }

    bool ReadTopLevelKey(std::string_view line) {
        std::string_view v;
        switch (kTopLevelTable.Find(line, v, lines_.ReadableFrom(line))) {
            case kVisibility: {
                int16_t visibility = 0;
                if (!StoreWhole(v, visibility)) {
                    return false;
                }
                state_.ZoomLevel = visibility;
                state_.Visibility = visibility;
                return true;
            }
            case kServerAddr:
                state_.ServerAddr.assign(v);
                return true;
            case kHeading: {
                const std::optional<WholeNumber> heading = ParseWholeNumber(v);
                if (!heading) {
                    return FailHere();
                }
                state_.OwnHeading = heading->Value;
                state_.OwnHeadingSector = HeadingToSector(heading->Exact);
                return true;
            }
            case kAltitude:
                return StoreWhole(v, state_.OwnAltitude);
            case kAirspeed:
                return StoreWhole(v, state_.OwnAirspeed);
            case kX:
                return StoreReal(v, state_.OwnX);
            case kY:
                return StoreReal(v, state_.OwnY);
            case kTeam:
                return StoreWhole(v, state_.OwnTeam);
            case kSquad:
                state_.OwnSquad.assign(v);
                return true;
            case kCeiling:
                return StoreWhole(v, state_.Ceiling);
            case kMaxRange:
                return StoreReal(v, state_.MaxRange);
            case kArena:
                return StoreWhole(v, state_.ArenaMode);
            case kAircraftType:
                state_.OwnAircraftType.assign(v);
                return true;
            case kDamageEngine:
                return StoreWhole(v, state_.DamageEngine);
            case kDamageLeftWing:
                return StoreWhole(v, state_.DamageLeftWing);
            case kDamageRightWing:
                return StoreWhole(v, state_.DamageRightWing);
            case kDamageFuselage:
                return StoreWhole(v, state_.DamageFuselage);
            case kDamageControls:
                return StoreWhole(v, state_.DamageControls);
            case kVictories:
                return StoreWhole(v, state_.OwnVictories);
            case kDefeats:
                return StoreWhole(v, state_.OwnDefeats);
            default:
                return true;  // no top-level key: an ignored line or a section line
        }
    }

    // The lines of a block up to its end line: the value of each line's key goes to store(key,
    // value), which fails the read by returning false; a line without a key of the block is
    // ignored. The end line holds no key, so it is tested only on such lines.
    template <class Store>
    bool ReadBlock(const KeyTable& table, std::string_view endLine, Store store) {
        std::string_view line;
        for (;;) {
            if (!NextLine(line)) {
                return false;
            }
            std::string_view v;
            const int key = table.Find(line, v, lines_.ReadableFrom(line));
            if (key >= 0) {
                if (!store(key, v)) {
                    return false;
                }
            } else if (line == endLine) {
                return true;
            }
        }
    }

    // One custom command; no limit on their number.
    bool ReadCommandBlock() {
        CommandDef& c = state_.Commands.Append();
        int p = 1;  // the next free parameter slot
        return ReadBlock(kCommandTable, kCommandEnd, [&](int key, std::string_view v) {
            switch (key) {
                case kCmdName:
                    c.Name.assign(v);
                    break;
                case kCmdStr:
                    AddParam(c, p, v, "String", std::string{});
                    break;
                case kCmdInt:
                    AddParam(c, p, v, "Integer", 0.0);
                    break;
            }
            return true;
        });
    }

    // The next free slot p (1 to 5) gets the parameter; once five are stored, more are ignored.
    static void AddParam(CommandDef& c, int& p, std::string_view name, const char* kind,
                         ParamValue value) {
        if (p > kMaxParams) {
            return;
        }
        ParamDef& param = c.Params[static_cast<std::size_t>(p)];
        param.Name.assign(name);
        param.Kind = kind;
        param.Value = std::move(value);
        ++p;
    }

    // One other aircraft, at most 32767 of them.
    bool ReadAircraftBlock() {
        if (state_.AircraftCount() >= kMaxListCount) {
            return FailHere();
        }
        AircraftRecord& a = state_.AircraftList.Append();
        return ReadBlock(kAircraftTable, kAircraftEnd, [&](int key, std::string_view v) {
            return StoreAircraftField(a, key, v);
        });
    }

    bool StoreAircraftField(AircraftRecord& a, int key, std::string_view v) {
        switch (key) {
            case kAcName:
                a.Name.assign(v);
                return true;
            case kAcPic:
                a.Pic.assign(v);
                return true;
            case kAcArena:
                return StoreWhole(v, a.Arena);
            case kAcTeam:
                return StoreWhole(v, a.Team);
            case kAcSquad:
                a.Squad.assign(v);
                return true;
            case kAcX:
                return StoreReal(v, a.X);
            case kAcY:
                return StoreReal(v, a.Y);
            case kAcAltitude:
                return StoreWhole(v, a.Altitude);
            case kAcAirspeed:
                return StoreWhole(v, a.Airspeed);
            case kAcPlane:
                a.Plane.assign(v);
                return true;
            case kAcHeading:
                a.HeadingSector = CompassNameToSector(v);
                return true;
            case kAcVictories:
                return StoreWhole(v, a.Victories);
            case kAcDefeats:
                return StoreWhole(v, a.Defeats);
            default:
                return true;
        }
    }

    // One objective, at most 32767 of them.
    bool ReadObjectiveBlock() {
        if (state_.ObjectiveCount() >= kMaxListCount) {
            return FailHere();
        }
        ObjectiveRecord& o = state_.ObjectiveList.Append();
        return ReadBlock(kObjectiveTable, kObjectiveEnd, [&](int key, std::string_view v) {
            switch (key) {
                case kObjName:
                    o.Name.assign(v);
                    return true;
                case kObjX:
                    return StoreReal(v, o.X);
                case kObjY:
                    return StoreReal(v, o.Y);
                case kObjAltitude:
                    return StoreReal(v, o.Altitude);
                default:
                    return true;
            }
        });
    }

    // The combat report, every line as read followed by CR LF; no key is looked for.
    bool ReadCombatBlock() {
        state_.CombatText.clear();
        std::string_view line;
        for (;;) {
            if (!NextLine(line)) {
                return false;
            }
            if (line == kCombatEnd) {
                return true;
            }
            state_.CombatText.append(line).append("\r\n");
        }
    }

    LineCursor lines_;
    SharedSubsAndVar& state_;
    int failLine_ = 0;
};

void ClearLists(SharedSubsAndVar& state) {
    state.AircraftList.Clear();
    state.ObjectiveList.Clear();
    state.Commands.Clear();
}

ReadOutcome ReadWithoutClearing(std::string_view bytes, SharedSubsAndVar& state) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    // A turn file of huge texts can outgrow the memory left; the read ends, the program goes on.
    try {
        return TurnReader(bytes, state).Run();
    } catch (const std::bad_alloc&) {
        return {ReadEnd::OutOfMemory, 0};
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The whole file into bytes, or why not. Only a regular file is opened: opening a pipe waits
// for a writer, and a device or a pipe may never end.
ReadEnd ReadWholeFile(const std::string& path, std::string& bytes) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        return ReadEnd::CannotOpen;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return ReadEnd::NotAFile;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxTurnFileBytes) {
        return ReadEnd::TooLarge;
    }
    const std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        return ReadEnd::CannotOpen;
    }
    try {
        if (!ec) {
            bytes.reserve(static_cast<std::size_t>(size));
        }
        char buffer[1 << 16];
        for (;;) {
            const std::size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
            bytes.append(buffer, n);
            if (bytes.size() > kMaxTurnFileBytes) {
                return ReadEnd::TooLarge;  // it grew while being read
            }
            if (n < sizeof buffer) {
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        return ReadEnd::OutOfMemory;
    }
    return std::ferror(f.get()) ? ReadEnd::CannotOpen : ReadEnd::Complete;
}

}  // namespace

std::optional<std::string_view> ReadEndMessage(ReadEnd end) {
    switch (end) {
        case ReadEnd::WrongHeader:
            return kWrongHeaderText;
        case ReadEnd::NotAFile:
            return kNotAFileText;
        case ReadEnd::TooLarge:
            return kTooLargeText;
        case ReadEnd::OutOfMemory:
            return kOutOfMemoryText;
        default:
            return std::nullopt;
    }
}

ReadOutcome ReadTurnData(std::string_view bytes, SharedSubsAndVar& state) {
    ClearLists(state);
    return ReadWithoutClearing(bytes, state);
}

ReadOutcome ReadTurnFile(const std::string& path, SharedSubsAndVar& state) {
    ClearLists(state);
    std::string bytes;
    const ReadEnd read = ReadWholeFile(path, bytes);
    if (read != ReadEnd::Complete) {
        return {read, 0};
    }
    return ReadWithoutClearing(bytes, state);
}

void StartOrderValues(SharedSubsAndVar& state) {
    state.OrderHeading = state.OwnHeading;
    state.OrderAltitude = state.OwnAltitude;
    state.OrderThrottle = 100;
}

}  // namespace velmora
