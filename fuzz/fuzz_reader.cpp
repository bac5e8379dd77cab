// libFuzzer target for the turn file reader, its value conversions and its key table.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz/FuzzInput.h"
#include "model/KeyTable.h"
#include "model/Numbers.h"
#include "model/SharedProcedures.h"
#include "model/SharedSubsAndVar.h"
#include "model/TextLines.h"
#include "model/TurnFileReader.h"
#include "model/TurnValues.h"

namespace {

using namespace velmora;

void CheckState(const SharedSubsAndVar& s, const ReadOutcome& outcome, int64_t lineCount) {
    Check(s.AircraftCount() <= kMaxListCount && s.ObjectiveCount() <= kMaxListCount);
    Check(s.OwnHeadingSector >= 0 && s.OwnHeadingSector <= 7);
    Check(s.ZoomLevel == s.Visibility);
    for (const AircraftRecord& a : s.AircraftList) {
        Check(a.HeadingSector >= 0 && a.HeadingSector <= 7);
        Check(std::isfinite(a.X) && std::isfinite(a.Y));
    }
    for (const ObjectiveRecord& o : s.ObjectiveList) {
        Check(std::isfinite(o.X) && std::isfinite(o.Y) && std::isfinite(o.Altitude));
    }
    for (const CommandDef& c : s.Commands) {
        Check(c.Params[0].Name.empty() && c.Params[0].Kind.empty());
        for (const ParamDef& p : c.Params) {
            if (p.Kind == "String") {
                Check(std::holds_alternative<std::string>(p.Value));
            } else if (p.Kind == "Integer") {
                Check(std::get<double>(p.Value) == 0.0);
            } else {
                Check(p.Kind.empty() && p.Name.empty());
            }
        }
    }
    Check(s.CombatText.empty() || s.CombatText.ends_with("\r\n"));
    Check(outcome.Line >= 0 && outcome.Line <= lineCount + 1);
    switch (outcome.End) {
        case ReadEnd::Complete:
            Check(outcome.Line == lineCount);
            break;
        case ReadEnd::Empty:
            Check(outcome.Line == 0 && lineCount == 0);
            break;
        case ReadEnd::WrongHeader:
            Check(outcome.Line == 1);
            break;
        case ReadEnd::Failed:
            Check(outcome.Line >= 2);
            break;
        default:
            Check(false);  // ReadTurnData never opens or cancels
    }
}

// The conversions on one piece of text: consistent with each other and never out of range.
void CheckValues(std::string_view text) {
    const std::optional<double> decimal = ParseDecimal(text);
    const std::optional<WholeNumber> whole = ParseWholeNumber(text);
    const std::optional<float> real = ParseRealNumber(text);
    // A tie that the double lands on is decided by the digits, which may lie on either side.
    const bool tie = decimal && *decimal - std::floor(*decimal) == 0.5;
    if (decimal) {
        Check(std::isfinite(*decimal));
        Check(tie || whole.has_value() == RoundToInt16(*decimal).has_value());
    } else {
        Check(!whole && !real);
    }
    if (whole) {
        Check(whole->Exact == *decimal);
        Check(tie ? whole->Value - std::floor(whole->Exact) == 0.0 ||
                        whole->Value - std::floor(whole->Exact) == 1.0
                  : RoundToInt16(whole->Exact) == whole->Value);
        Check(HeadingToSector(whole->Exact) >= 0 && HeadingToSector(whole->Exact) <= 7);
    }
    if (decimal && !real) {
        Check(std::fabs(*decimal) > FLT_MAX);  // only a value beyond single range fails
    }
    if (real) {
        Check(std::isfinite(*real));
        // The single nearest the decimal: no single lies between them.
        const double d = *decimal;
        const float r = *real;
        Check(std::fabs(static_cast<double>(r) - d) <=
              std::fabs(static_cast<double>(
                            std::nextafter(r, static_cast<float>(d > r ? HUGE_VALF : -HUGE_VALF))) -
                        d));
    }
}

// A key table finds what ParseKeyword finds with each of its keys, walking or word by word.
void CheckKeys(std::string_view line, std::size_t readable) {
    static const KeyTable tables[] = {KeyTable(kTopLevelKeys), KeyTable(kCommandKeys),
                                      KeyTable(kAircraftKeys), KeyTable(kObjectiveKeys)};
    static const std::span<const std::string_view> keys[] = {kTopLevelKeys, kCommandKeys,
                                                             kAircraftKeys, kObjectiveKeys};
    for (int t = 0; t < 4; ++t) {
        int expected = -1;
        std::string_view expectedValue;
        for (std::size_t k = 0; k < keys[t].size(); ++k) {
            if (const std::optional<std::string_view> value = ParseKeyword(line, keys[t][k])) {
                Check(expected == -1);
                expected = static_cast<int>(k);
                expectedValue = *value;
            }
        }
        for (const std::size_t r : {std::size_t{0}, readable}) {
            std::string_view value = "untouched";
            Check(tables[t].Find(line, value, r) == expected);
            Check(expected < 0 ? value == "untouched" : value == expectedValue);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string bytes = TurnFileBytes(data, size);

    int64_t lineCount = 0;
    {
        LineCursor lines(bytes.starts_with("\xEF\xBB\xBF") ? std::string_view(bytes).substr(3)
                                                           : std::string_view(bytes));
        std::string_view line;
        while (lines.Next(line)) {
            ++lineCount;
        }
    }
    SharedSubsAndVar state;
    const ReadOutcome outcome = ReadTurnData(bytes, state);
    CheckState(state, outcome, lineCount);

    // A second read on the same state starts the lists again.
    const ReadOutcome again = ReadTurnData(bytes, state);
    Check(again == outcome);

    // The pieces on their own, line by line (a bounded number of lines).
    LineCursor lines(bytes);
    std::string_view line;
    for (int n = 0; n < 16 && lines.Next(line); ++n) {
        CheckKeys(line, lines.ReadableFrom(line));
        CheckValues(line);
        const std::size_t equals = line.find('=');
        const std::string_view value =
            equals == std::string_view::npos ? line : line.substr(equals + 1);
        CheckValues(value);
        Check(CompassNameToSector(value) >= 0 && CompassNameToSector(value) <= 7);
    }

    // The geometry procedures on numbers taken from the input.
    if (size >= 17) {
        float p[4];
        std::memcpy(p, data + 1, sizeof p);
        const int16_t b = GetBearing(p[0], p[1], p[2], p[3]);
        Check(b >= 0 && b <= 360);
        int h;
        std::memcpy(&h, data + 1, sizeof h);
        const int16_t w = WrapHeading(h);
        Check(w >= 0 && w <= 359);
    }
    return 0;
}
