#pragma once
// The parameter prompt's rules: the forgiving reading of a typed number and the sequence of
// questions over the slots of Commands(CurrentCommand). frmCommandPrompt shows Instructions,
// empties its text box for every new question and closes when an answer reports Done.

#include <string>
#include <string_view>

#include "model/SharedSubsAndVar.h"

namespace velmora {

// Reads a number the way the prompt accepts one: blanks, tabs and line feeds anywhere are
// skipped; then an optional sign, digits, at most one period as the decimal point (whatever
// the locale) and an optional exponent (E or e, optional sign, digits); reading stops at the
// first character that cannot continue the number. "&H" or "&O" (either case) at the start
// reads a hexadecimal or octal whole number. Anything that does not begin with a number gives
// 0, and so does a number beyond the range of a double ("1e999") or an "&H" or "&O" number
// beyond 64 bits; the result is always finite.
// Examples: "12" 12, "2.5" 2.5, "12abc" 12, "1 2" 12, "1,5" 1, "1e3" 1000, "&H1F" 31, "abc" 0.
double ReadTypedNumber(std::string_view text);

// Where the prompt stands after starting or taking an answer.
struct PromptStep {
    bool Done = false;         // close the window
    std::string Instructions;  // the Instructions caption when not done
};

// Form_Load, and the restart when the pad picks another command while the prompt is open:
// CurrentParam = 1 and the first question, "Enter in " + the slot's name + ":". Never Done: even
// a command without parameters gets one question, whose answer is stored nowhere; it and a
// CurrentCommand that names nothing (a newer turn file replaced the commands) ask the bare
// "Enter in :".
PromptStep StartPrompt(SharedSubsAndVar& s);

// Takes the answer typed for slot CurrentParam (lblContinue_Click, or Enter): a slot of Kind
// "Integer" stores ReadTypedNumber(typed) as a number, not rounded; "String" stores the text as
// typed; any other kind stores nothing. Then CurrentParam goes on by one; Done after slot 5 or
// at the first slot without a name, else the next question. A CurrentCommand that names no
// command of the turn stores nothing and is Done.
PromptStep AnswerPrompt(SharedSubsAndVar& s, std::string_view typed);

}  // namespace velmora
