// What a Hamlib call's result says about the rig, by Hamlib's own error numbers
// (RIG_E*, returned negated). The program keeps its own table rather than Hamlib's
// RIG_IS_SOFT_ERRCODE: releases add codes (4.6: 21 and 22), newer sources compare the
// macro's argument with negated codes, and the library loaded at run time may be
// another release than the headers the program was built with.
#pragma once

namespace selvora {

enum class HamlibOutcome {
    Done,     // RIG_OK
    Refused,  // the rig said no to this one command and is still there
    Lost,     // the rig is gone, off or unreachable: close and reconnect
};

// `code` as a Hamlib call returns it: 0, or a RIG_E* number negated. A code the table
// does not know is taken as a lost rig.
HamlibOutcome hamlibOutcome(int code);

}  // namespace selvora
