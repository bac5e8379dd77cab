#pragma once
// Order texts and the files they go to end every line with CR LF, while Qt's text boxes hand
// back bare LF; this brings any mix to CR LF.

#include <string>
#include <string_view>

namespace velmora {

// Every line break (CR LF, a lone LF or a lone CR) becomes CR LF; nothing else changes.
std::string ToCrLf(std::string_view text);

}  // namespace velmora
