// The build stamp: when and from what source revision this program was
// built. Recompiled whenever the build's source revision changes (the
// generated header below is rewritten only then), so the time stamp is that
// of the build that took in the revision.
#include "app/shell_texts.h"

#include "orv_build_commit.h"

const char* BuildTimestamp() { return __DATE__ " " __TIME__; }

const char* BuildCommit() { return ORV_BUILD_COMMIT; }
