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
    TurnReader(std::string_view bytes, SharedSubsAndVar& state) : lines_(bytes), s_(state) {}

    ReadOutcome Run() {
        std::string_view line;
        if (!lines_.Next(line)) {
            return {ReadEnd::Empty, 0};
        }
        if (line != kTurnFileHeader) {
            return {ReadEnd::WrongHeader, 1};
        }
        do {
            if (!nextLine(line) || !readTopLevelLine(line)) {
                return {ReadEnd::Failed, failLine_};
            }
        } while (!lines_.AtEnd());
        return {ReadEnd::Complete, currentLine()};
    }

private:
    int currentLine() const {
        return lines_.Number() > INT_MAX ? INT_MAX : static_cast<int>(lines_.Number());
    }

    // A line that must be there; a missing one fails at the number it would have had.
    bool nextLine(std::string_view& line) {
        if (lines_.Next(line)) {
            return true;
        }
        failLine_ = lines_.Number() >= INT_MAX ? INT_MAX : static_cast<int>(lines_.Number() + 1);
        return false;
    }

    bool failHere() {
        failLine_ = currentLine();
        return false;
    }

    // Stores a converted value in its field, or fails here with the field untouched.
    bool whole(std::string_view value, int16_t& field) {
        const std::optional<WholeNumber> w = ParseWholeNumber(value);
        if (!w) {
            return failHere();
        }
        field = w->Value;
        return true;
    }

    bool real(std::string_view value, float& field) {
        const std::optional<float> r = ParseRealNumber(value);
        if (!r) {
            return failHere();
        }
        field = *r;
        return true;
    }

    // One top-level line: its keys, then the block it may open.
    bool readTopLevelLine(std::string_view line) {
        if (!readTopLevelKey(line)) {
            return false;
        }
        if (line.empty() || line.front() != '[') {
            return true;
        }
        if (line == kCommandStart) {
            return readCommandBlock();
        }
        if (line == kAircraftStart) {
            return readAircraftBlock();
        }
        if (line == kObjectiveStart) {
            return readObjectiveBlock();
        }
        if (line == kCombatStart) {
            return readCombatBlock();
        }
        return true;
    }

    bool readTopLevelKey(std::string_view line) {
        std::string_view v;
        switch (kTopLevelTable.Find(line, v, lines_.ReadableFrom(line))) {
            case kVisibility: {
                int16_t visibility = 0;
                if (!whole(v, visibility)) {
                    return false;
                }
                s_.ZoomLevel = visibility;
                s_.Visibility = visibility;
                return true;
            }
            case kServerAddr:
                s_.ServerAddr.assign(v);
                return true;
            case kHeading: {
                const std::optional<WholeNumber> heading = ParseWholeNumber(v);
                if (!heading) {
                    return failHere();
                }
                s_.OwnHeading = heading->Value;
                s_.OwnHeadingSector = HeadingToSector(heading->Exact);
                return true;
            }
            case kAltitude:
                return whole(v, s_.OwnAltitude);
            case kAirspeed:
                return whole(v, s_.OwnAirspeed);
            case kX:
                return real(v, s_.OwnX);
            case kY:
                return real(v, s_.OwnY);
            case kTeam:
                return whole(v, s_.OwnTeam);
            case kSquad:
                s_.OwnSquad.assign(v);
                return true;
            case kCeiling:
                return whole(v, s_.Ceiling);
            case kMaxRange:
                return real(v, s_.MaxRange);
            case kArena:
                return whole(v, s_.ArenaMode);
            case kAircraftType:
                s_.OwnAircraftType.assign(v);
                return true;
            case kDamageEngine:
                return whole(v, s_.DamageEngine);
            case kDamageLeftWing:
                return whole(v, s_.DamageLeftWing);
            case kDamageRightWing:
                return whole(v, s_.DamageRightWing);
            case kDamageFuselage:
                return whole(v, s_.DamageFuselage);
            case kDamageControls:
                return whole(v, s_.DamageControls);
            case kVictories:
                return whole(v, s_.OwnVictories);
            case kDefeats:
                return whole(v, s_.OwnDefeats);
            default:
                return true;  // no top-level key: an ignored line or a section line
        }
    }

    // The lines of a block up to its end line: the value of each line's key goes to store(key,
    // value), which fails the read by returning false; a line without a key of the block is
    // ignored. The end line holds no key, so it is tested only on such lines.
    template <class Store>
    bool readBlock(const KeyTable& table, std::string_view endLine, Store store) {
        std::string_view line;
        for (;;) {
            if (!nextLine(line)) {
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
    bool readCommandBlock() {
        CommandDef& c = s_.Commands.Append();
        int p = 1;  // the next free parameter slot
        return readBlock(kCommandTable, kCommandEnd, [&](int key, std::string_view v) {
            switch (key) {
                case kCmdName:
                    c.Name.assign(v);
                    break;
                case kCmdStr:
                    addParam(c, p, v, "String", std::string{});
                    break;
                case kCmdInt:
                    addParam(c, p, v, "Integer", 0.0);
                    break;
            }
            return true;
        });
    }

    // The next free slot p (1 to 5) gets the parameter; once five are stored, more are ignored.
    static void addParam(CommandDef& c, int& p, std::string_view name, const char* kind,
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
    bool readAircraftBlock() {
        if (s_.AircraftCount() >= kMaxListCount) {
            return failHere();
        }
        AircraftRecord& a = s_.AircraftList.Append();
        return readBlock(kAircraftTable, kAircraftEnd, [&](int key, std::string_view v) {
            return storeAircraftField(a, key, v);
        });
    }

    bool storeAircraftField(AircraftRecord& a, int key, std::string_view v) {
        switch (key) {
            case kAcName:
                a.Name.assign(v);
                return true;
            case kAcPic:
                a.Pic.assign(v);
                return true;
            case kAcArena:
                return whole(v, a.Arena);
            case kAcTeam:
                return whole(v, a.Team);
            case kAcSquad:
                a.Squad.assign(v);
                return true;
            case kAcX:
                return real(v, a.X);
            case kAcY:
                return real(v, a.Y);
            case kAcAltitude:
                return whole(v, a.Altitude);
            case kAcAirspeed:
                return whole(v, a.Airspeed);
            case kAcPlane:
                a.Plane.assign(v);
                return true;
            case kAcHeading:
                a.HeadingSector = CompassNameToSector(v);
                return true;
            case kAcVictories:
                return whole(v, a.Victories);
            case kAcDefeats:
                return whole(v, a.Defeats);
            default:
                return true;
        }
    }

    // One objective, at most 32767 of them.
    bool readObjectiveBlock() {
        if (s_.ObjectiveCount() >= kMaxListCount) {
            return failHere();
        }
        ObjectiveRecord& o = s_.ObjectiveList.Append();
        return readBlock(kObjectiveTable, kObjectiveEnd, [&](int key, std::string_view v) {
            switch (key) {
                case kObjName:
                    o.Name.assign(v);
                    return true;
                case kObjX:
                    return real(v, o.X);
                case kObjY:
                    return real(v, o.Y);
                case kObjAltitude:
                    return real(v, o.Altitude);
                default:
                    return true;
            }
        });
    }

    // The combat report, every line as read followed by CR LF; no key is looked for.
    bool readCombatBlock() {
        s_.CombatText.clear();
        std::string_view line;
        for (;;) {
            if (!nextLine(line)) {
                return false;
            }
            if (line == kCombatEnd) {
                return true;
            }
            s_.CombatText.append(line).append("\r\n");
        }
    }

    LineCursor lines_;
    SharedSubsAndVar& s_;
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
