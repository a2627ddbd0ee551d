#pragma once
// When and from what source revision this program was built.

// The compiler's date and time of this build, "Mmm dd yyyy hh:mm:ss".
const char* BuildTimestamp();
// The 40 lower-case hexadecimal digits of the source revision (all zeros
// when the source was not a git checkout and no revision was given).
const char* BuildCommit();
