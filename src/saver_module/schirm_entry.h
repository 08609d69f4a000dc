#pragma once

namespace ovant {

// The entry of OVANT-Schirm: "/s" runs the console as screen saver and
// returns when it has ended, "/c" or nothing opens the settings window and
// returns when it has closed, anything else returns at once.
int runSchirm(int argc, char** argv);

}  // namespace ovant
