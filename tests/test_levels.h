// Level texts that several tests play, check or solve.
#pragma once

namespace ferlan::testing {

// The smallest level: nothing between the pipes.
inline constexpr const char* kEmptyLevel = "9 ;1;;;;  ";
// A large plus pole whose marker is where the ball rests on the entry pipe: caught at once.
inline constexpr const char* kCaughtAtOnceLevel = "9 ;1;grpp3367 7635 ,;;;  ";
// Two rows of rods close the width: only a budget or a cancel ends a search of it, on any machine.
inline constexpr const char* kClosedLevel =
    "23;1;grpp0    9000 ,grpp960  9360 ,grpp1920 9000 ,grpp2880 9360 ,grpp3840 9000 "
    ",grpp4800 9360 ,grpp5760 9000 ,;;;  ";

}  // namespace ferlan::testing
