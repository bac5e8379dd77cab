#pragma once
// The small procedures that more than one place needs.
// None keeps state, shows anything or touches a file, and none reports a failure.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// Finds key (upper case, such as "HEADING=") at the start of a turn-file line and cuts out its
// value. The line's characters are upper-cased (ASCII a-z only; other bytes stay as they are)
// and every space (character 32, and only it) is skipped while the key is matched; a ">" ends the
// walk. On a match the value is the rest of the line after the key's last character up to the
// first ">" (or the end), case and blanks kept, as a view into text; nothing when key is not at
// the start of the line. The reader looks a line up in a whole table of keys at once
// (KeyTable.h), which must find what this finds key by key; the tests hold the two together.
std::optional<std::string_view> ParseKeyword(std::string_view text, std::string_view key);

// Bearing in whole degrees clockwise from north (+Y) from (x1, y1) to (x2, y2), km. The distance
// and the ratio in single precision, the arcsine in double, rounded half to even; 0 to 360 (a point
// a hair west of due north gives 360), 0 for two equal points.
int16_t GetBearing(float x1, float y1, float x2, float y2);

// Heading sector 0 (North) to 7 (Northwest) of a heading in degrees by eight strict 45-degree
// bands, the later band winning at an edge (22.5 -> 1, 337.5 -> 7); 338 and above and below 0
// give 0, and so does NaN.
int16_t HeadingToSector(double heading);

// Brings a whole-degree heading into 0..359 (360 -> 0, -1 -> 359, 725 -> 5), for any int.
int16_t WrapHeading(int heading);

// Brings a heading sector into 0..7 (8 -> 0, -1 -> 7), for any int: an index into the eight
// pictures of an aircraft.
int16_t WrapSector(int sector);

// "North", "Northeast", ... "Northwest" (whole text, case significant) -> 0..7; any other text 0.
int16_t CompassNameToSector(std::string_view name);

}  // namespace velmora
